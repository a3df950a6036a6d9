#pragma once

#include <string>
#include <utility>
#include <vector>

#include "carrowin/automation/variant.h"

namespace carrowin {

/// One settings record as a `SettingsStore` lists it.
struct SettingsRecord {
  /// The object ID as first stored.
  std::u16string objectID;
  /// The record's name: the one given, or its object ID.
  std::u16string name;
  /// Every named value, keys spelled as first stored, in key order (ASCII
  /// letters compared without case).
  std::vector<std::pair<std::u16string, Variant>> settings;
};

}  // namespace carrowin
