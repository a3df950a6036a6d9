#include "carrowin/automation/object_factory_registry.h"

#include <utility>

#include "carrowin/automation/error.h"
#include "carrowin/automation/key_folding.h"

namespace carrowin {

namespace {

constexpr std::u16string_view kSource = u"ObjectFactoryRegistry";

[[noreturn]] void RaiseCannotCreate(std::u16string_view progID, std::u16string_view reason) {
  std::u16string description = u"Can't create object '";
  description += progID;
  description += u"': ";
  description += reason;
  RaiseError(errors::kCannotCreateObject, kSource, description);
}

}  // namespace

ObjectFactoryRegistry& ObjectFactoryRegistry::Process() {
  static ObjectFactoryRegistry registry;
  return registry;
}

void ObjectFactoryRegistry::Register(std::u16string_view progID, Factory factory) {
  if (progID.empty()) {
    RaiseError(errors::kInvalidProcedureCall, kSource, u"The programmatic identifier is empty");
  }
  if (!factory) {
    RaiseError(errors::kInvalidProcedureCall, kSource, u"The object factory is empty");
  }
  std::u16string key = FoldKey(progID);
  const std::lock_guard lock(mutex_);
  factories_.insert_or_assign(std::move(key), std::move(factory));
}

bool ObjectFactoryRegistry::Unregister(std::u16string_view progID) {
  const std::u16string key = FoldKey(progID);
  const std::lock_guard lock(mutex_);
  return factories_.erase(key) != 0;
}

bool ObjectFactoryRegistry::IsRegistered(std::u16string_view progID) const {
  const std::u16string key = FoldKey(progID);
  const std::lock_guard lock(mutex_);
  return factories_.contains(key);
}

std::shared_ptr<Object> ObjectFactoryRegistry::CreateObject(std::u16string_view progID) const {
  const std::u16string key = FoldKey(progID);
  Factory factory;
  {
    const std::lock_guard lock(mutex_);
    const auto found = factories_.find(key);
    if (found != factories_.end()) factory = found->second;
  }
  if (!factory) RaiseCannotCreate(progID, u"no factory is registered for it");
  std::shared_ptr<Object> object = factory();
  if (!object) RaiseCannotCreate(progID, u"its factory returned no object");
  return object;
}

}  // namespace carrowin
