#include "carrowin/wire/wire_encoding.h"

#include "carrowin/automation/error.h"

namespace carrowin {

int32_t DecodeSmallNumber(uint8_t byte) {
  return byte < kSmallNumberOffset ? -1 : byte - kSmallNumberOffset;
}

}  // namespace carrowin
