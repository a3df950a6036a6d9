#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "carrowin/drel/drel.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/recording_message_sender.h"

namespace carrowin::testing_support {

/// A `Drel` bound to a recording sender and an in-memory trace, for terminal
/// number 7 with a screen ("H") message started.
class DrelFixture : public ::testing::Test {
 protected:
  static constexpr int32_t kTerminal = 7;

  DrelFixture() : drel(Factories()) {
    drel.Initialize(trace, sender, 4096, kTerminal);
    drel.StartMessage(kTerminal, 'H');
  }

  HostFactories Factories() {
    HostFactories f;
    f.processTrace = [t = trace] { return t; };
    return f;
  }

  /// Sends what the buffer holds and returns the message's bytes after the
  /// "7H" header, or nothing at all when no message was sent.
  std::vector<uint8_t> Flush() {
    const size_t before = sender->Messages().size();
    drel.SendData();
    const auto messages = sender->Messages();
    if (messages.size() == before) return {};
    const std::vector<uint8_t>& last = messages.back();
    return std::vector<uint8_t>(last.begin() + 2, last.end());
  }

  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<RecordingMessageSender> sender = std::make_shared<RecordingMessageSender>();
  Drel drel;
};

}  // namespace carrowin::testing_support
