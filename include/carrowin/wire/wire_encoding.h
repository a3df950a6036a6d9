#pragma once

#include <cstdint>
#include <vector>

#include "carrowin/host/circ_buffer.h"

namespace carrowin {

/// The largest number the length code can carry: 207 * 208 + 207.
inline constexpr int32_t kMaxLengthCode = 43263;
/// The largest small number (one byte, value + 48).
inline constexpr int32_t kMaxSmallNumber = 207;

/// A small number on the wire: value + 48 in one byte ("0" is zero, "/" is
/// -1). Raises error 6 (overflow) when the sum lies outside 0 to 255.
uint8_t EncodeSmallNumber(int32_t value);

/// The inverse: byte - 48, or -1 for any byte below "0".
int32_t DecodeSmallNumber(uint8_t byte);

/// Appends `length` in the length code: one byte (value + 48) for 0 to 207,
/// otherwise "!", value div 208 + 48, value mod 208 + 48. Only values from 0
/// to `kMaxLengthCode` may be given; others raise error 6.
void PutLengthCode(CircBuffer& target, int32_t length);

/// The same encoding, the argument order of the numeric form.
void PutNumberCode(int32_t value, CircBuffer& target);

/// Appends a text: the length code of its byte count, then the bytes.
/// Raises error 6 for more than `kMaxLengthCode` bytes, writing nothing.
void PutText(CircBuffer& target, const std::vector<uint8_t>& bytes);

/// The number of bytes the length code of `length` takes (1 or 3).
int32_t LengthCodeSize(int32_t length);

}  // namespace carrowin
