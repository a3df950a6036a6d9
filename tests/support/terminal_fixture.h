#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "carrowin/carrowin.h"

namespace carrowin::testing_support {

/// A terminal initialised as record "T1" (terminal number 7, parameters of
/// version 70 with 40 virtual columns) of a settings store of its own, with
/// an in-memory trace, a recording sender and a clock that stands still.
class TerminalFixture : public ::testing::Test {
 protected:
  static constexpr int32_t kTerminal = 7;
  /// The terminal's clock stands still at this moment.
  static constexpr std::chrono::system_clock::time_point kNow{std::chrono::seconds(1796560245)};

  TerminalFixture() {
    store->SetSetting(u"Terminal", u"T1", u"TerminalId", Variant(kTerminal));
    terminal = Terminal::Create(Factories());
    terminal->Initialize(std::make_shared<InProcessConnection>(sender), u"T1");
    SetParameters(70, 40);
  }

  /// Host factories on this fixture's trace and store.
  HostFactories Factories() const {
    HostFactories factories;
    factories.processTrace = [t = trace] { return t; };
    factories.objectSettings = [s = store] { return std::make_shared<MemoryObjectSettings>(s); };
    factories.settingsEraser = [s = store] { return std::make_shared<MemorySettingsEraser>(s); };
    factories.clock = [] { return kNow; };
    return factories;
  }

  /// Loads a parameter-query reply giving this version and virtual columns
  /// (an even number up to 414), 16 virtual rows and 192 fields.
  void SetParameters(int32_t version, int32_t virtualColumns) {
    // Model, version, features, config, half the virtual columns, the sizes
    // byte, saved pages, application: each a small number (value + 48).
    const std::vector<int32_t> values = {1, version, 0, 0, virtualColumns / 2, 0xA8, 4, 0};
    std::vector<uint8_t> reply = {'!'};
    for (int32_t value : values) reply.push_back(static_cast<uint8_t>(value + 48));
    terminal->Parameters()->LoadData(reply, 1);
  }

  /// The commands written since the last call (without message headers):
  /// sends what the encoder holds and returns every message sent meanwhile,
  /// joined, each without its "7H" header.
  std::string Commands() {
    terminal->Drel()->SendData();
    std::string commands;
    for (const std::string& message : TakeMessages()) {
      commands += message.substr(message.find('H') + 1);
    }
    return commands;
  }

  /// The messages sent since the last `Commands` or `TakeMessages`, whole.
  std::vector<std::string> TakeMessages() {
    const std::vector<std::vector<uint8_t>> messages = sender->Messages();
    std::vector<std::string> taken;
    for (size_t i = seen_; i < messages.size(); ++i) {
      taken.emplace_back(messages[i].begin(), messages[i].end());
    }
    seen_ = messages.size();
    return taken;
  }

  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<MemorySettingsStore> store = std::make_shared<MemorySettingsStore>();
  std::shared_ptr<RecordingMessageSender> sender = std::make_shared<RecordingMessageSender>();
  std::shared_ptr<Terminal> terminal;

 private:
  size_t seen_ = 0;
};

}  // namespace carrowin::testing_support
