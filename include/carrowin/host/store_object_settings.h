#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "carrowin/host/object_settings.h"
#include "carrowin/host/settings_store.h"

namespace carrowin {

/// An `ObjectSettings` on one record of a `SettingsStore`, addressed by
/// `ObjectType` and the object ID given to `Load`. Settings and status values
/// live in the store, so every instance addressing the same record sees the
/// same values.
///
///     carrowin::StoreObjectSettings settings(store);
///     settings.SetObjectType(u"Terminal");
///     settings.Load(u"T1");
///     int32_t rows = settings.GetSetting(u"Rows", carrowin::Variant(int32_t{16})).ToLong();
///
/// One instance serves one terminal and is used one call at a time; the store
/// behind it is thread-safe.
class StoreObjectSettings : public ObjectSettings {
 public:
  /// Raises error 91 when `store` is null.
  explicit StoreObjectSettings(std::shared_ptr<SettingsStore> store);

  std::u16string ObjectType() const override;
  /// The record stays selected by its object ID: a later `ObjectType`
  /// addresses the record of that type with the same ID.
  void SetObjectType(std::u16string_view objectType) override;
  /// Selects the record; a record with no values yet is selected as well, and
  /// is created by the first `SetSetting`.
  void Load(std::u16string_view objectID) override;
  /// The record's name in the store (by default its object ID); empty before
  /// `Load`. Raises error 457 when the record does not exist and its ID is
  /// another record's name (see `MemorySettingsStore`).
  std::u16string Name() const override;
  /// The named value, or `defaultValue` when it is absent. Raises error 91
  /// before `Load`.
  Variant GetSetting(std::u16string_view key, const Variant& defaultValue) override;
  /// Stores a named value in the record, creating it when needed. Raises
  /// error 91 before `Load`, and 457 when the record must be created but its
  /// ID is another record's name.
  void SetSetting(std::u16string_view key, const Variant& value) override;

  void SetDateCreated(std::u16string_view value) override;
  void SetParentObjectType(std::u16string_view value) override;
  void SetParentObjectID(std::u16string_view value) override;
  void SetDisplayText(std::u16string_view value) override;
  void SetClassID(std::u16string_view value) override;
  const std::u16string& DateCreated() const noexcept { return dateCreated_; }
  const std::u16string& ParentObjectType() const noexcept { return parentObjectType_; }
  const std::u16string& ParentObjectID() const noexcept { return parentObjectID_; }
  const std::u16string& DisplayText() const noexcept { return displayText_; }
  const std::u16string& ClassID() const noexcept { return classID_; }

 private:
  const std::u16string& SelectedID() const;

  std::shared_ptr<SettingsStore> store_;
  std::u16string objectType_;
  std::optional<std::u16string> objectID_;  // absent until Load
  std::u16string dateCreated_;
  std::u16string parentObjectType_;
  std::u16string parentObjectID_;
  std::u16string displayText_;
  std::u16string classID_;
};

}  // namespace carrowin
