#include "carrowin/host/inbound_message.h"

namespace carrowin {

std::span<const uint8_t> InboundMessage::DataBytes() {
  if (!data_) data_ = Data();
  return data_->ToByteArray();
}

}  // namespace carrowin
