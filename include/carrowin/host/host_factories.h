#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "carrowin/host/circ_buffer.h"
#include "carrowin/host/object_settings.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/settings_eraser.h"
#include "carrowin/host/settings_store.h"

namespace carrowin {

/// How a terminal creates the host objects it makes "by class". Each
/// `Terminal` (and the objects it creates) uses the set it was constructed
/// with, so tests and applications can substitute their own without touching
/// other terminals. An empty member falls back to the process-wide default.
///
/// A factory makes a new object on each call: a trace belongs to the terminal
/// that opens it. To log a whole site to one file, share the sink, not the
/// trace, so that every line names the terminal that wrote it:
///
///     auto sink = std::make_shared<carrowin::StreamTraceSink>("/var/log/site.log");
///     carrowin::HostFactories defaults;
///     defaults.processTrace = [sink] {
///       return std::make_shared<carrowin::StreamProcessTrace>(sink, 2);
///     };
///     carrowin::HostFactories::SetProcessDefaults(defaults);
struct HostFactories {
  // Each member starts empty, so a set names only what it changes:
  // `HostFactories{.processTrace = ...}`.
  std::function<std::shared_ptr<ProcessTrace>()> processTrace{};
  std::function<std::shared_ptr<ObjectSettings>()> objectSettings{};
  std::function<std::shared_ptr<SettingsEraser>()> settingsEraser{};
  std::function<std::shared_ptr<CircBuffer>()> circBuffer{};
  /// The current time, which the status record writes (in local time).
  /// Default: the system clock.
  std::function<std::chrono::system_clock::time_point()> clock{};
  /// The identifier of the calling thread, which trace lines show. Default:
  /// the operating system's thread identifier.
  std::function<int64_t()> threadId{};

  std::shared_ptr<ProcessTrace> CreateProcessTrace() const;
  std::shared_ptr<ObjectSettings> CreateObjectSettings() const;
  std::shared_ptr<SettingsEraser> CreateSettingsEraser() const;
  std::shared_ptr<CircBuffer> CreateCircBuffer() const;
  /// This set with every empty member filled from the process defaults, so
  /// that a terminal looks the defaults up once, not at every use.
  HostFactories Resolved() const;

  /// The process-wide defaults (thread-safe). Out of the box: for each
  /// terminal a trace that writes level 1 lines to the shared standard error
  /// sink, the shared in-memory settings store and a growing circular buffer.
  static HostFactories ProcessDefaults();
  /// Replaces the process-wide defaults; set once at start, before terminals
  /// are created. Empty members restore the built-in default.
  static void SetProcessDefaults(HostFactories factories);
  /// Makes `store` the process-wide default of `objectSettings` and
  /// `settingsEraser` (each terminal gets a `StoreObjectSettings` and a
  /// `StoreSettingsEraser` on it), keeping the other defaults. A terminal
  /// given its own factories still uses them. Raises error 91 when `store`
  /// is null.
  ///
  ///     carrowin::HostFactories::UseSettingsStore(
  ///         carrowin::DatabaseSettingsStore::Open("postgresql://host/site"));
  static void UseSettingsStore(std::shared_ptr<SettingsStore> store);
};

}  // namespace carrowin
