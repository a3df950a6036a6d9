#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "carrowin/host/message_sender.h"

namespace carrowin {

/// A `MessageSender` that hands each outbound message to an application
/// callback, for applications that carry the bytes to the terminal network
/// themselves.
///
/// The callback runs on the thread that sends (the terminal's worker), inside
/// `Drel.SendData`; the bytes are only valid during the call, so copy them to
/// keep them. A callback shared by several terminals must be thread-safe. A
/// failure should be raised as `carrowin::Error`: it reaches the caller of
/// `SendData`.
///
///     auto sender = std::make_shared<carrowin::CallbackMessageSender>(
///         [&socket](std::span<const uint8_t> message) { socket.Write(message); });
///     auto connection = std::make_shared<carrowin::InProcessConnection>(sender);
class CallbackMessageSender : public MessageSender {
 public:
  using Callback = std::function<void(std::span<const uint8_t> message)>;

  /// Raises error 5 when `callback` is empty.
  explicit CallbackMessageSender(Callback callback);

  void Send(std::span<const uint8_t> message) override;

 private:
  Callback callback_;
};

}  // namespace carrowin
