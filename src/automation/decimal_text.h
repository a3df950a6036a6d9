#pragma once

#include <cstdint>
#include <string>

namespace carrowin {

/// A whole number in decimal as UTF-16 text ("-12"), for trace lines and
/// message headers.
inline std::u16string DecimalText(int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace carrowin
