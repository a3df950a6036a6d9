#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "carrowin/automation/object.h"

namespace carrowin {

/// Creates automation objects by programmatic identifier (for example
/// "CarrowinInterpreter.Interpreter"), the way the library reaches the host
/// components it makes by name. Identifiers compare without regard to letter
/// case. Thread-safe: factories may be registered while others create objects.
class ObjectFactoryRegistry {
 public:
  using Factory = std::function<std::shared_ptr<Object>()>;

  /// An empty registry, independent of the process-wide one (for tests and
  /// for applications that keep their own).
  ObjectFactoryRegistry() = default;
  ObjectFactoryRegistry(const ObjectFactoryRegistry&) = delete;
  ObjectFactoryRegistry& operator=(const ObjectFactoryRegistry&) = delete;

  /// The registry shared by the whole process.
  static ObjectFactoryRegistry& Process();

  /// Registers the factory for `progID`, replacing any registered before.
  /// An empty identifier or an empty factory raises 5.
  void Register(std::u16string_view progID, Factory factory);
  /// Removes the factory for `progID`; false when none was registered.
  bool Unregister(std::u16string_view progID);
  bool IsRegistered(std::u16string_view progID) const;

  /// A new object from the factory for `progID`. Raises 429 when no factory
  /// is registered or the factory returns no object; an error the factory
  /// raises reaches the caller unchanged. The factory runs without the
  /// registry's lock held, so it may use the registry itself.
  std::shared_ptr<Object> CreateObject(std::u16string_view progID) const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::u16string, Factory> factories_;  // by folded identifier
};

}  // namespace carrowin
