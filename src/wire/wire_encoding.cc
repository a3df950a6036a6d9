#include "carrowin/wire/wire_encoding.h"

#include <array>

#include "carrowin/automation/error.h"

namespace carrowin {

int32_t DecodeSmallNumber(uint8_t byte) {
  return byte < kSmallNumberOffset ? -1 : byte - kSmallNumberOffset;
}

void PutLengthCode(CircBuffer& target, int32_t length) {
  std::array<uint8_t, kMaxLengthCodeBytes> code{};
  const int32_t size = EncodeLengthCode(length, code);
  for (int32_t i = 0; i < size; ++i) target.PutByte(code[static_cast<size_t>(i)]);
}

void PutNumberCode(int32_t value, CircBuffer& target) { PutLengthCode(target, value); }

void PutText(CircBuffer& target, const std::vector<uint8_t>& bytes) {
  if (bytes.size() > static_cast<size_t>(kMaxLengthCode)) RaiseError(errors::kOverflow, u"PutText");
  const auto count = static_cast<int32_t>(bytes.size());
  PutLengthCode(target, count);
  target.Put(count, bytes);
}

int32_t LengthCodeSize(int32_t length) { return length <= kMaxSmallNumber ? 1 : 3; }

}  // namespace carrowin
