#pragma once

#include <string>
#include <vector>

#include "support/terminal_fixture.h"

namespace carrowin::testing_support {

/// A terminal run by a worker's cycles: an in-process thread, status level 3
/// and a clock stopped at one moment.
class TerminalCycleFixture : public TerminalFixture {
 protected:
  TerminalCycleFixture() {
    SetStatusLevel(3);
    terminal->SetThread(thread);
  }

  void SetStatusLevel(int32_t level) {
    store->SetSetting(u"Terminal", u"T1", u"statusUpdateLevel", Variant(level));
  }

  /// Queues `message` (function code first), runs one cycle and returns the
  /// messages sent meanwhile, headers included, separated by "|".
  std::string Cycle(std::string_view message) {
    thread->PostBytes(std::vector<uint8_t>(message.begin(), message.end()));
    terminal->ExecuteBackground();
    std::string sent;
    for (const std::string& message : TakeMessages()) {
      if (!sent.empty()) sent += '|';
      sent += message;
    }
    return sent;
  }

  Variant Status(std::u16string_view key) const {
    return store->GetSetting(u"Terminal", u"T1", key, Variant(u"absent"));
  }

  std::shared_ptr<InProcessThread> thread = std::make_shared<InProcessThread>();
};

}  // namespace carrowin::testing_support
