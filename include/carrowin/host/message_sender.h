#pragma once

#include <cstdint>
#include <span>

namespace carrowin {

/// Delivers one finished outbound message to the terminal network.
///
/// Contract: `Send` receives exactly the message's bytes, whatever their
/// values (no character conversion, odd lengths allowed), and returns without
/// waiting for delivery. The bytes are only valid during the call. A failure
/// is raised as `carrowin::Error` and reaches the caller of `Drel.SendData`.
class MessageSender {
 public:
  virtual ~MessageSender() = default;

  virtual void Send(std::span<const uint8_t> message) = 0;
};

}  // namespace carrowin
