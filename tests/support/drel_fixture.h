#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "carrowin/drel/drel.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/recording_message_sender.h"

namespace carrowin::testing_support {

/// A `Drel` bound to a recording sender and an in-memory trace, for terminal
/// number 7 with a screen ("H") message started.
class DrelFixture : public ::testing::Test {
 protected:
  static constexpr int32_t kTerminal = 7;

  DrelFixture() : drel(HostFactories{.processTrace = [t = trace] { return t; }}) {
    drel.Initialize(trace, sender, 4096, kTerminal);
    drel.StartMessage(kTerminal, 'H');
  }

  /// Sends what the buffer holds and starts the next message; returns the
  /// sent message's bytes after the "7H" header, or "" when none was sent.
  std::string Flush() {
    const size_t before = MessagesSent();
    drel.SendData();
    drel.StartMessage(kTerminal, 'H');
    return MessagesSent() == before ? "" : Sent(before).substr(2);
  }

  /// The message sent `i`-th (from 0), header included; "" when none was.
  std::string Sent(size_t i) const {
    const std::vector<std::vector<uint8_t>> messages = sender->Messages();
    return i < messages.size() ? std::string(messages[i].begin(), messages[i].end()) : "";
  }

  size_t MessagesSent() const { return sender->Messages().size(); }

  /// Discards what the buffer holds and starts a fresh message.
  void Restart() {
    drel.OutBufReset();
    drel.StartMessage(kTerminal, 'H');
  }

  /// Starts a fresh message and pads it with "x" to `length` bytes in all.
  void FillTo(int32_t length) {
    Restart();
    drel.OutBufPutStr(std::u16string(static_cast<size_t>(length - drel.OutBufLen()), u'x'));
  }

  /// The bytes a caller's buffer holds, read out of it.
  static std::string Drain(CircBuffer& buffer) {
    std::vector<uint8_t> bytes(static_cast<size_t>(buffer.Length()));
    buffer.Get(buffer.Length(), bytes);
    return std::string(bytes.begin(), bytes.end());
  }

  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<RecordingMessageSender> sender = std::make_shared<RecordingMessageSender>();
  Drel drel;
  /// A command list the caller builds, for the GetDrel forms.
  GrowingCircBuffer list;
};

}  // namespace carrowin::testing_support
