#include "carrowin/host/in_process_thread.h"

#include <utility>

#include "carrowin/host/in_process_inbound_message.h"
#include "required_object.h"

namespace carrowin {

void InProcessThread::Post(std::shared_ptr<InboundMessage> message) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(
        RequireObject(std::move(message), u"Thread", u"The message to queue is Nothing"));
  }
  changed_.notify_all();
}

void InProcessThread::PostBytes(std::vector<uint8_t> bytes, int32_t positionFC) {
  Post(InProcessInboundMessage::FromBytes(std::move(bytes), positionFC));
}

void InProcessThread::RequestStop() {
  {
    std::lock_guard lock(mutex_);
    stopRequested_ = true;
  }
  changed_.notify_all();
}

bool InProcessThread::Stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

bool InProcessThread::WaitUntilStopped(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return stopped_; });
}

bool InProcessThread::WaitForMessage(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return HasWork(); });
}

bool InProcessThread::HasWork() const { return stopRequested_ || !queue_.empty(); }

bool InProcessThread::ApplicationMode() const {
  std::lock_guard lock(mutex_);
  return applicationMode_;
}

size_t InProcessThread::PendingMessages() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool InProcessThread::InMessage() const {
  std::lock_guard lock(mutex_);
  return inMessage_;
}

int64_t InProcessThread::BegunMessages() const {
  std::lock_guard lock(mutex_);
  return begunMessages_;
}

int64_t InProcessThread::EndedMessages() const {
  std::lock_guard lock(mutex_);
  return endedMessages_;
}

bool InProcessThread::StopRequested() {
  std::lock_guard lock(mutex_);
  return stopRequested_;
}

void InProcessThread::SetStopped(bool stopped) {
  {
    std::lock_guard lock(mutex_);
    stopped_ = stopped;
  }
  changed_.notify_all();
}

void InProcessThread::SetApplicationMode(bool applicationMode) {
  std::lock_guard lock(mutex_);
  applicationMode_ = applicationMode;
}

std::shared_ptr<InboundMessage> InProcessThread::NextMessage() {
  std::lock_guard lock(mutex_);
  if (queue_.empty()) return nullptr;
  std::shared_ptr<InboundMessage> message = std::move(queue_.front());
  queue_.pop_front();
  return message;
}

void InProcessThread::BeginMessage() {
  std::lock_guard lock(mutex_);
  inMessage_ = true;
  ++begunMessages_;
}

void InProcessThread::EndMessage() {
  std::lock_guard lock(mutex_);
  inMessage_ = false;
  ++endedMessages_;
}

}  // namespace carrowin
