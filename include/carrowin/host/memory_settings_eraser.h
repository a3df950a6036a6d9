#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/host/memory_settings_store.h"
#include "carrowin/host/settings_eraser.h"

namespace carrowin {

/// The default `SettingsEraser`: removes named values from one record of a
/// `MemorySettingsStore` (by default the process's shared store), addressed
/// by object type and the name its `ObjectSettings` reports. The store's
/// uniqueness rule makes that name reach this record and no other (the
/// record's ID reaches it too).
///
///     carrowin::MemorySettingsEraser eraser;
///     eraser.SetObjectType(settings->ObjectType());
///     eraser.SetObjectID(settings->Name());
///     eraser.RemoveSettings({u"statusScreen"});
class MemorySettingsEraser : public SettingsEraser {
 public:
  /// Raises error 91 when `store` is null.
  explicit MemorySettingsEraser(
      std::shared_ptr<MemorySettingsStore> store = MemorySettingsStore::Shared());

  void SetObjectType(std::u16string_view objectType) override;
  /// The name of the record to address.
  void SetObjectID(std::u16string_view objectID) override;
  /// Removes these keys from the addressed record; absent keys, and a name no
  /// record answers to, are ignored. Raises error 91 before `SetObjectID`.
  void RemoveSettings(const std::vector<std::u16string>& keys) override;

 private:
  std::shared_ptr<MemorySettingsStore> store_;
  std::u16string objectType_;
  std::optional<std::u16string> name_;  // absent until SetObjectID
};

}  // namespace carrowin
