#pragma once

#include <string>
#include <string_view>

#include "carrowin/automation/variant.h"

namespace carrowin {

/// A terminal's settings record: named settings read at start and named
/// status values written while the terminal runs.
///
/// Contract: `SetObjectType` then `Load` select the record; `GetSetting`
/// returns the default for an absent key. Failures are raised as
/// `carrowin::Error`. Records of one store may be used from several threads.
class ObjectSettings {
 public:
  virtual ~ObjectSettings() = default;

  virtual std::u16string ObjectType() const = 0;
  virtual void SetObjectType(std::u16string_view objectType) = 0;
  /// Selects the record of this object identifier.
  virtual void Load(std::u16string_view objectID) = 0;
  /// The name of the selected record (by default its object identifier), by
  /// which a `SettingsEraser` addresses it.
  virtual std::u16string Name() const = 0;
  virtual Variant GetSetting(std::u16string_view key, const Variant& defaultValue) = 0;
  virtual void SetSetting(std::u16string_view key, const Variant& value) = 0;

  /// Descriptive values, copied from the record's settings of the same name.
  virtual void SetDateCreated(std::u16string_view value) = 0;
  virtual void SetParentObjectType(std::u16string_view value) = 0;
  virtual void SetParentObjectID(std::u16string_view value) = 0;
  virtual void SetDisplayText(std::u16string_view value) = 0;
  virtual void SetClassID(std::u16string_view value) = 0;
};

}  // namespace carrowin
