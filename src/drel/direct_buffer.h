#pragma once

#include <typeinfo>

#include "carrowin/host/circ_buffer.h"
#include "carrowin/host/growing_circ_buffer.h"

namespace carrowin {

/// `buffer` as the library's own `GrowingCircBuffer` when it is exactly one,
/// so that the encoder may append to it without virtual calls; nullptr for
/// no buffer and for any other, including a class derived from it, whose
/// overrides must still run.
inline GrowingCircBuffer* DirectGrowingBuffer(CircBuffer* buffer) {
  if (buffer == nullptr || typeid(*buffer) != typeid(GrowingCircBuffer)) return nullptr;
  return static_cast<GrowingCircBuffer*>(buffer);
}

}  // namespace carrowin
