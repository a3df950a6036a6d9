#pragma once

#include <memory>

#include "carrowin/host/inbound_message.h"

namespace carrowin {

/// The connection's worker for one terminal: it queues the terminal's inbound
/// messages and calls `Terminal::ExecuteBackground` to have them handled.
///
/// Contract: the `Terminal` calls these from inside `ExecuteBackground`, one
/// call at a time. Whether the worker runs on a thread of its own is its own
/// matter; queues fed from other threads must be safe for that.
class Thread {
 public:
  virtual ~Thread() = default;

  /// True when the worker wants the terminal to stop.
  virtual bool StopRequested() = 0;
  /// Set to True once the terminal has stopped.
  virtual void SetStopped(bool stopped) = 0;
  /// Whether the terminal's actions currently go to the application.
  virtual void SetApplicationMode(bool applicationMode) = 0;
  /// The next queued message, or nullptr when none is waiting.
  virtual std::shared_ptr<InboundMessage> NextMessage() = 0;
  /// Called once a message has been taken, before it is handled.
  virtual void BeginMessage() = 0;
  /// Called after the reply to that message has been sent.
  virtual void EndMessage() = 0;
};

}  // namespace carrowin
