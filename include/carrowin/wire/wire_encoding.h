#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "carrowin/automation/error.h"

namespace carrowin {

/// The largest number the length code can carry: 207 * 208 + 207.
inline constexpr int32_t kMaxLengthCode = 43263;
/// The largest small number (one byte, value + 48).
inline constexpr int32_t kMaxSmallNumber = 207;
/// What a small number adds to its value: "0" is zero.
inline constexpr int32_t kSmallNumberOffset = 48;

// The encoders are inline: every command encodes several numbers, and the
// encoder's hot path must not pay a call for each.

/// A small number on the wire: value + 48 in one byte ("0" is zero, "/" is
/// -1). Raises error 6 (overflow) when the sum lies outside 0 to 255.
inline uint8_t EncodeSmallNumber(int32_t value) {
  if (value < -kSmallNumberOffset || value > kMaxSmallNumber) {
    RaiseError(errors::kOverflow, u"EncodeSmallNumber");
  }
  return static_cast<uint8_t>(value + kSmallNumberOffset);
}

/// The inverse: byte - 48, or -1 for any byte below "0".
int32_t DecodeSmallNumber(uint8_t byte);

/// The most bytes a length code takes.
inline constexpr size_t kMaxLengthCodeBytes = 3;

/// Writes `length` in the length code to the start of `out` and returns how
/// many bytes that took: one (value + 48) for 0 to 207, otherwise three: "!",
/// value div 208 + 48, value mod 208 + 48. Only values from 0 to
/// `kMaxLengthCode` may be given; others raise error 6, writing nothing.
inline int32_t EncodeLengthCode(int32_t length, std::span<uint8_t, kMaxLengthCodeBytes> out) {
  constexpr int32_t kBase = kMaxSmallNumber + 1;
  if (length < 0 || length > kMaxLengthCode) RaiseError(errors::kOverflow, u"EncodeLengthCode");
  if (length <= kMaxSmallNumber) {
    out[0] = EncodeSmallNumber(length);
    return 1;
  }
  out[0] = '!';
  out[1] = EncodeSmallNumber(length / kBase);
  out[2] = EncodeSmallNumber(length % kBase);
  return 3;
}

}  // namespace carrowin
