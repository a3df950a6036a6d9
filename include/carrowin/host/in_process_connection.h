#pragma once

#include <cstdint>
#include <memory>

#include "carrowin/host/connection.h"
#include "carrowin/host/message_sender.h"

namespace carrowin {

/// A `Connection` for terminals driven from inside the application's own
/// process: it hands out the sender it was given and a fixed output buffer
/// capacity. One connection may serve many terminals.
///
///     auto sender = std::make_shared<carrowin::RecordingMessageSender>();
///     auto connection = std::make_shared<carrowin::InProcessConnection>(sender);
///     terminal->Initialize(connection, u"T1");
class InProcessConnection : public Connection {
 public:
  /// Enough for a full message: the output buffer is flushed at 350 bytes,
  /// and the buffer grows past its capacity rather than lose bytes anyway.
  static constexpr int32_t kDefaultOutputBufferSize = 1024;

  /// Raises error 91 when `sender` is null and error 5 when
  /// `outputBufferSize` is negative.
  explicit InProcessConnection(std::shared_ptr<MessageSender> sender,
                               int32_t outputBufferSize = kDefaultOutputBufferSize);

  std::shared_ptr<MessageSender> Sender() override;
  int32_t OutputBufferSize() override;

 private:
  std::shared_ptr<MessageSender> sender_;
  int32_t outputBufferSize_;
};

}  // namespace carrowin
