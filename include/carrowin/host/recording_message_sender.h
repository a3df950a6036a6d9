#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "carrowin/host/message_sender.h"

namespace carrowin {

/// A `MessageSender` that keeps a copy of every message it is given, in the
/// order sent, for tests, simulators and tools that show what a terminal was
/// sent. Thread-safe: a tool may read the messages while a worker sends.
///
///     auto sender = std::make_shared<carrowin::RecordingMessageSender>();
///     // ... run the terminal ...
///     for (const std::vector<uint8_t>& message : sender->Messages()) Show(message);
class RecordingMessageSender : public MessageSender {
 public:
  RecordingMessageSender() = default;

  void Send(std::span<const uint8_t> message) override;

  /// A copy of the messages recorded so far, oldest first.
  std::vector<std::vector<uint8_t>> Messages() const;
  /// Forgets the messages recorded so far.
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<std::vector<uint8_t>> messages_;
};

}  // namespace carrowin
