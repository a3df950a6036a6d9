#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/host/settings_eraser.h"
#include "carrowin/host/settings_store.h"

namespace carrowin {

/// A `SettingsEraser` on a `SettingsStore`: removes named values from one
/// record, addressed by object type and the name its `ObjectSettings`
/// reports. The store's uniqueness rule makes that name reach this record and
/// no other (the record's ID reaches it too).
///
///     carrowin::StoreSettingsEraser eraser(store);
///     eraser.SetObjectType(settings->ObjectType());
///     eraser.SetObjectID(settings->Name());
///     eraser.RemoveSettings({u"statusScreen"});
class StoreSettingsEraser : public SettingsEraser {
 public:
  /// Raises error 91 when `store` is null.
  explicit StoreSettingsEraser(std::shared_ptr<SettingsStore> store);

  void SetObjectType(std::u16string_view objectType) override;
  /// The name of the record to address.
  void SetObjectID(std::u16string_view objectID) override;
  /// Removes these keys from the addressed record; absent keys, and a name no
  /// record answers to, are ignored. Raises error 91 before `SetObjectID`.
  void RemoveSettings(const std::vector<std::u16string>& keys) override;

 private:
  std::shared_ptr<SettingsStore> store_;
  std::u16string objectType_;
  std::optional<std::u16string> name_;  // absent until SetObjectID
};

}  // namespace carrowin
