#include "carrowin/host/recording_message_sender.h"

#include <utility>

namespace carrowin {

void RecordingMessageSender::Send(std::span<const uint8_t> message) {
  // Copy before taking the lock: the lock only guards the list.
  std::vector<uint8_t> copy(message.begin(), message.end());
  std::lock_guard lock(mutex_);
  messages_.push_back(std::move(copy));
}

std::vector<std::vector<uint8_t>> RecordingMessageSender::Messages() const {
  std::lock_guard lock(mutex_);
  return messages_;
}

void RecordingMessageSender::Clear() {
  std::lock_guard lock(mutex_);
  messages_.clear();
}

}  // namespace carrowin
