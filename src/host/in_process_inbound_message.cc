#include "carrowin/host/in_process_inbound_message.h"

#include <limits>
#include <memory>
#include <utility>

#include "automation/decimal_text.h"
#include "carrowin/automation/error.h"

namespace carrowin {

namespace {

constexpr std::u16string_view kSource = u"InboundMessage";

bool IsIndexOf(int32_t index, const std::vector<uint8_t>& bytes) {
  return index >= 0 && static_cast<size_t>(index) < bytes.size();
}

void CheckPosition(int32_t positionFC, const std::vector<uint8_t>& bytes) {
  if (!IsIndexOf(positionFC, bytes)) {
    RaiseError(errors::kSubscriptOutOfRange, kSource,
               u"Function code position " + DecimalText(positionFC) + u" is outside a message of " +
                   DecimalText(static_cast<int64_t>(bytes.size())) + u" bytes");
  }
}

}  // namespace

InProcessInboundMessage::InProcessInboundMessage(std::vector<uint8_t> data, int32_t length,
                                                 uint8_t functionCode, int32_t positionFC)
    : data_(std::move(data)),
      length_(length),
      functionCode_(functionCode),
      positionFC_(positionFC) {
  if (length_ < 0 || static_cast<size_t>(length_) > data_.size()) {
    RaiseError(errors::kSubscriptOutOfRange, kSource,
               u"Message length " + DecimalText(length_) + u" is outside a message of " +
                   DecimalText(static_cast<int64_t>(data_.size())) + u" bytes");
  }
  CheckPosition(positionFC_, data_);
}

std::shared_ptr<InProcessInboundMessage> InProcessInboundMessage::FromBytes(
    std::vector<uint8_t> bytes, int32_t positionFC) {
  CheckPosition(positionFC, bytes);
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    RaiseError(errors::kOverflow, kSource, u"The message is too long for a 32-bit length");
  }
  const uint8_t functionCode = bytes[static_cast<size_t>(positionFC)];
  const auto length = static_cast<int32_t>(bytes.size());
  return std::make_shared<InProcessInboundMessage>(std::move(bytes), length, functionCode,
                                                   positionFC);
}

Variant InProcessInboundMessage::Data() { return Variant(data_); }

int32_t InProcessInboundMessage::Length() { return length_; }

uint8_t InProcessInboundMessage::FunctionCode() { return functionCode_; }

int32_t InProcessInboundMessage::PositionFC() { return positionFC_; }

}  // namespace carrowin
