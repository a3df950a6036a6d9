#pragma once

#include <cstdint>
#include <initializer_list>

#include "carrowin/host/circ_buffer.h"

namespace carrowin {

/// Appends the fixed part of a command one byte at a time. The list is built
/// (and every small number encoded) before the first byte is appended, so a
/// value without an encoding fails while the buffer is still untouched.
inline void PutBytes(CircBuffer& target, std::initializer_list<uint8_t> bytes) {
  for (uint8_t byte : bytes) target.PutByte(byte);
}

}  // namespace carrowin
