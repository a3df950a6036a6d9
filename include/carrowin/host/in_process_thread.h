#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "carrowin/host/inbound_message.h"
#include "carrowin/host/thread.h"

namespace carrowin {

/// A `Thread` for terminals driven from inside the application's own process:
/// a queue of inbound messages that any thread may feed, a stop request, and
/// the state the terminal reports back (stopped, application mode, the message
/// in hand). Every member is thread-safe.
///
/// The application (or a simulator) posts messages and drives the terminal
/// from a loop of its own:
///
///     auto thread = std::make_shared<carrowin::InProcessThread>();
///     terminal->SetThread(thread);
///     std::jthread worker([&] {
///       while (!thread->Stopped()) {
///         thread->WaitForMessage(std::chrono::milliseconds(200));
///         terminal->ExecuteBackground();  // takes at most one message
///       }
///     });
///     thread->PostBytes({'R', 'F', '3', '5'});  // from any thread
///     ...
///     thread->RequestStop();
///     thread->WaitUntilStopped(std::chrono::seconds(5));
///
/// Messages still queued when the terminal stops are never taken.
class InProcessThread : public Thread {
 public:
  InProcessThread() = default;

  // ----- Application side -----

  /// Queues a message behind those already waiting. Raises error 91 when
  /// `message` is null.
  void Post(std::shared_ptr<InboundMessage> message);
  /// Queues `bytes` as an `InProcessInboundMessage` whose function code is
  /// the byte at `positionFC`; raises error 9 when that is not an index of
  /// `bytes`, and nothing is queued then.
  void PostBytes(std::vector<uint8_t> bytes, int32_t positionFC = 0);
  /// Asks the terminal to stop: it does so at its next processing cycle.
  void RequestStop();

  /// True once the terminal has reported that it stopped.
  bool Stopped() const;
  /// Waits until the terminal has stopped or `timeout` has passed; returns
  /// `Stopped()`.
  bool WaitUntilStopped(std::chrono::milliseconds timeout) const;
  /// Waits until a message is queued, a stop is requested or `timeout` has
  /// passed; returns True when there is work for the next processing cycle
  /// (a message or a stop request). Takes nothing from the queue.
  bool WaitForMessage(std::chrono::milliseconds timeout) const;

  /// The value the terminal last set: True while the terminal's actions go to
  /// the application as page events.
  bool ApplicationMode() const;
  /// The number of messages queued and not yet taken.
  size_t PendingMessages() const;
  /// True between `BeginMessage` and `EndMessage`. A message whose handling
  /// failed is never ended, so this stays True until the next one is.
  bool InMessage() const;
  /// How often `BeginMessage` and `EndMessage` were called; the difference is
  /// the number of messages whose handling or reply failed.
  int64_t BegunMessages() const;
  int64_t EndedMessages() const;

  // ----- Terminal side (the `Thread` contract) -----

  bool StopRequested() override;
  void SetStopped(bool stopped) override;
  void SetApplicationMode(bool applicationMode) override;
  std::shared_ptr<InboundMessage> NextMessage() override;
  void BeginMessage() override;
  void EndMessage() override;

 private:
  bool HasWork() const;  // mutex_ held

  mutable std::mutex mutex_;
  // Signalled on every change a waiter may be waiting for.
  mutable std::condition_variable changed_;
  std::deque<std::shared_ptr<InboundMessage>> queue_;
  bool stopRequested_ = false;
  bool stopped_ = false;
  bool applicationMode_ = false;
  bool inMessage_ = false;
  int64_t begunMessages_ = 0;
  int64_t endedMessages_ = 0;
};

}  // namespace carrowin
