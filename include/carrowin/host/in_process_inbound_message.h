#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "carrowin/host/inbound_message.h"

namespace carrowin {

/// An inbound message held in memory: the bytes the terminal sent, the end
/// index, the function code and its index. Immutable once made, so it may be
/// built on one thread and handled on another.
///
/// Every index is checked when the message is made, so a message that exists
/// is consistent with its byte array:
///
///     // "R" response carrying the function-key record "F", key 3, field 5.
///     auto message = carrowin::InProcessInboundMessage::FromBytes({'R', 'F', '3', '5'});
///     thread->Post(message);
class InProcessInboundMessage : public InboundMessage {
 public:
  /// Raises error 9 when `length` is negative or beyond the array, or when
  /// `positionFC` is not an index of the array.
  InProcessInboundMessage(std::vector<uint8_t> data, int32_t length, uint8_t functionCode,
                          int32_t positionFC);

  /// A message of all of `bytes` whose function code is the byte at
  /// `positionFC` (what precedes it is the connection's framing). Raises
  /// error 9 when `positionFC` is not an index of `bytes`, and error 6 when
  /// `bytes` is too long for a 32-bit length.
  static std::shared_ptr<InProcessInboundMessage> FromBytes(std::vector<uint8_t> bytes,
                                                            int32_t positionFC = 0);

  /// A copy of the byte array, as a Variant.
  Variant Data() override;
  int32_t Length() override;
  uint8_t FunctionCode() override;
  int32_t PositionFC() override;

  /// The bytes, without copying.
  std::span<const uint8_t> DataBytes() override { return data_; }

 private:
  std::vector<uint8_t> data_;
  int32_t length_;
  uint8_t functionCode_;
  int32_t positionFC_;
};

}  // namespace carrowin
