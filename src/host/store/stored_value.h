#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "carrowin/automation/variant.h"

namespace carrowin {

/// A Variant as the store keeps it: its type number and its value as text
/// (none for Empty and Null). Doubles keep every bit.
struct StoredValue {
  std::string type;
  std::optional<std::string> text;
};

/// Raises error 13 for an object or a byte array, which a store cannot keep.
void CheckStorable(const Variant& value);
StoredValue ToStoredValue(const Variant& value);

/// The Variant back; raises error 75 naming `location` when the database
/// holds what this library never writes.
Variant FromStoredValue(std::optional<std::string_view> type, std::optional<std::string_view> text,
                        std::u16string_view location);

}  // namespace carrowin
