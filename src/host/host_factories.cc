#include "carrowin/host/host_factories.h"

#include <mutex>
#include <utility>

#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/memory_object_settings.h"
#include "carrowin/host/memory_settings_eraser.h"
#include "carrowin/host/store_object_settings.h"
#include "carrowin/host/store_settings_eraser.h"
#include "carrowin/host/stream_process_trace.h"
#include "host/os_thread.h"
#include "required_object.h"

namespace carrowin {

namespace {

HostFactories BuiltInDefaults() {
  HostFactories f;
  f.processTrace = [] { return std::make_shared<StreamProcessTrace>(); };
  f.objectSettings = [] { return std::make_shared<MemoryObjectSettings>(); };
  f.settingsEraser = [] { return std::make_shared<MemorySettingsEraser>(); };
  f.circBuffer = [] { return std::make_shared<GrowingCircBuffer>(); };
  f.clock = [] { return std::chrono::system_clock::now(); };
  f.threadId = CurrentOsThreadId;
  return f;
}

std::mutex& DefaultsMutex() {
  static std::mutex mutex;
  return mutex;
}

HostFactories& Defaults() {
  static HostFactories defaults = BuiltInDefaults();
  return defaults;
}

// Runs the member factory of `f`, or the process default's when it is empty.
template <class Member>
auto Create(const HostFactories& f, Member member, std::u16string_view made) {
  auto factory = f.*member;
  if (!factory) {
    std::lock_guard lock(DefaultsMutex());
    factory = Defaults().*member;
  }
  // Run outside the lock: a factory may itself read the defaults.
  return RequireObject(factory(), u"HostFactories",
                       u"The " + std::u16string(made) + u" factory returned Nothing");
}

}  // namespace

std::shared_ptr<ProcessTrace> HostFactories::CreateProcessTrace() const {
  return Create(*this, &HostFactories::processTrace, u"ProcessTrace");
}

std::shared_ptr<ObjectSettings> HostFactories::CreateObjectSettings() const {
  return Create(*this, &HostFactories::objectSettings, u"ObjectSettings");
}

std::shared_ptr<SettingsEraser> HostFactories::CreateSettingsEraser() const {
  return Create(*this, &HostFactories::settingsEraser, u"SettingsEraser");
}

std::shared_ptr<CircBuffer> HostFactories::CreateCircBuffer() const {
  return Create(*this, &HostFactories::circBuffer, u"CircBuffer");
}

HostFactories HostFactories::Resolved() const {
  HostFactories resolved = ProcessDefaults();
  if (processTrace) resolved.processTrace = processTrace;
  if (objectSettings) resolved.objectSettings = objectSettings;
  if (settingsEraser) resolved.settingsEraser = settingsEraser;
  if (circBuffer) resolved.circBuffer = circBuffer;
  if (clock) resolved.clock = clock;
  if (threadId) resolved.threadId = threadId;
  return resolved;
}

HostFactories HostFactories::ProcessDefaults() {
  std::lock_guard lock(DefaultsMutex());
  return Defaults();
}

void HostFactories::SetProcessDefaults(HostFactories factories) {
  const HostFactories builtIn = BuiltInDefaults();
  if (!factories.processTrace) factories.processTrace = builtIn.processTrace;
  if (!factories.objectSettings) factories.objectSettings = builtIn.objectSettings;
  if (!factories.settingsEraser) factories.settingsEraser = builtIn.settingsEraser;
  if (!factories.circBuffer) factories.circBuffer = builtIn.circBuffer;
  if (!factories.clock) factories.clock = builtIn.clock;
  if (!factories.threadId) factories.threadId = builtIn.threadId;
  std::lock_guard lock(DefaultsMutex());
  Defaults() = std::move(factories);
}

void HostFactories::UseSettingsStore(std::shared_ptr<SettingsStore> store) {
  RequireObject(store, u"HostFactories", u"The settings store is Nothing");
  std::lock_guard lock(DefaultsMutex());
  Defaults().objectSettings = [store] { return std::make_shared<StoreObjectSettings>(store); };
  Defaults().settingsEraser = [store] { return std::make_shared<StoreSettingsEraser>(store); };
}

}  // namespace carrowin
