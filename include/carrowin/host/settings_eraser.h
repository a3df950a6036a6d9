#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace carrowin {

/// Removes named status values from a settings record, addressed by the
/// record's object type and the name its `ObjectSettings` reports.
class SettingsEraser {
 public:
  virtual ~SettingsEraser() = default;

  virtual void SetObjectType(std::u16string_view objectType) = 0;
  virtual void SetObjectID(std::u16string_view objectID) = 0;
  /// Removes these keys from the addressed record; absent keys are ignored.
  virtual void RemoveSettings(const std::vector<std::u16string>& keys) = 0;
};

}  // namespace carrowin
