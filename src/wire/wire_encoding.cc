#include "carrowin/wire/wire_encoding.h"

#include "carrowin/automation/error.h"

namespace carrowin {

namespace {
constexpr int32_t kSmallNumberOffset = 48;  // "0"
constexpr int32_t kLengthCodeBase = 208;
constexpr uint8_t kLongLengthMark = 0x21;  // "!"
}  // namespace

uint8_t EncodeSmallNumber(int32_t value) {
  if (value < -kSmallNumberOffset || value > 255 - kSmallNumberOffset) {
    RaiseError(errors::kOverflow, u"EncodeSmallNumber");
  }
  return static_cast<uint8_t>(value + kSmallNumberOffset);
}

int32_t DecodeSmallNumber(uint8_t byte) {
  return byte < kSmallNumberOffset ? -1 : byte - kSmallNumberOffset;
}

void PutLengthCode(CircBuffer& target, int32_t length) {
  if (length < 0 || length > kMaxLengthCode) RaiseError(errors::kOverflow, u"PutLengthCode");
  if (length <= kMaxSmallNumber) {
    target.PutByte(EncodeSmallNumber(length));
    return;
  }
  target.PutByte(kLongLengthMark);
  target.PutByte(EncodeSmallNumber(length / kLengthCodeBase));
  target.PutByte(EncodeSmallNumber(length % kLengthCodeBase));
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
