#pragma once

#include <cstdint>
#include <memory>

#include "carrowin/host/message_sender.h"

namespace carrowin {

/// The connection to the terminal network that a terminal belongs to. The
/// `Terminal` holds it from `Initialize` until `Terminate` and asks it, once,
/// for the sender of its outbound messages and the output buffer capacity.
class Connection {
 public:
  virtual ~Connection() = default;

  /// The sender through which this terminal's outbound messages go.
  virtual std::shared_ptr<MessageSender> Sender() = 0;
  /// The capacity to give the `Drel` output buffer.
  virtual int32_t OutputBufferSize() = 0;
};

}  // namespace carrowin
