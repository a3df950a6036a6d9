#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "carrowin/automation/variant.h"
#include "carrowin/host/settings_record.h"

namespace carrowin {

/// Where settings records live: in memory (`MemorySettingsStore`) or in a
/// database (`DatabaseSettingsStore`). Every store keeps the rules that
/// `memory_settings_store.h` lists (text compared ignoring ASCII case,
/// identity by object type and ID, names, uniqueness with error 457), so a
/// terminal behaves the same whichever one it is given. Thread-safe.
///
/// `StoreObjectSettings` and `StoreSettingsEraser` give terminals their view
/// of a store; `HostFactories::UseSettingsStore` makes one the process default.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  /// Stores a named value in the record of this ID, creating the record when
  /// needed (error 457 when its ID is another record's name).
  virtual void SetSetting(std::u16string_view objectType, std::u16string_view objectID,
                          std::u16string_view key, Variant value) = 0;
  /// The named value of the record of this ID, or `defaultValue` when the
  /// record or the key is absent.
  virtual Variant GetSetting(std::u16string_view objectType, std::u16string_view objectID,
                             std::u16string_view key, const Variant& defaultValue) const = 0;
  /// Removes a named value from the record of this ID; returns whether it was
  /// there.
  virtual bool RemoveSetting(std::u16string_view objectType, std::u16string_view objectID,
                             std::u16string_view key) = 0;
  /// Removes these keys from the one record whose name or ID is `name`
  /// (absent keys, and a name no record answers to, are ignored).
  virtual void RemoveSettingsByName(std::u16string_view objectType, std::u16string_view name,
                                    const std::vector<std::u16string>& keys) = 0;
  /// Names the record of this ID, creating it when needed; an empty name
  /// restores the default. Error 457 as the uniqueness rule says.
  virtual void SetName(std::u16string_view objectType, std::u16string_view objectID,
                       std::u16string_view name) = 0;
  /// The name of the record of this ID; the ID as given here when it has
  /// none (or no record). Error 457 as the uniqueness rule says.
  virtual std::u16string Name(std::u16string_view objectType,
                              std::u16string_view objectID) const = 0;
  /// Every record of this object type, in object ID order (ASCII letters
  /// compared without case).
  virtual std::vector<SettingsRecord> Records(std::u16string_view objectType) const = 0;
  /// Returns once every value written so far is as durable as the store
  /// makes values (nothing to do in memory).
  virtual void Flush() = 0;
};

}  // namespace carrowin
