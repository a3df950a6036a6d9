#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "carrowin/carrowin.h"
#include "carrowin/sim/sim_terminal.h"

namespace carrowin::testing_support {

/// A terminal (record "T1", number 7, the code pages of the options) whose
/// messages go to a virtual terminal, which answers through an in-process
/// thread; the test runs the worker's cycles itself with `Drain`.
class SimLoopFixture : public ::testing::Test {
 protected:
  explicit SimLoopFixture(SimOptions options = {.terminalNumber = 7})
      : sim(SimTerminal::Create(options)) {
    store->SetSetting(u"Terminal", u"T1", u"TerminalId", Variant(int32_t{7}));
    store->SetSetting(u"Terminal", u"T1", u"Codepage", Variant(options.codePage));
    store->SetSetting(u"Terminal", u"T1", u"PrinterCodepage", Variant(options.printerCodePage));
    HostFactories factories;
    factories.processTrace = [t = trace] { return t; };
    factories.objectSettings = [s = store] { return std::make_shared<MemoryObjectSettings>(s); };
    factories.settingsEraser = [s = store] { return std::make_shared<MemorySettingsEraser>(s); };
    terminal = Terminal::Create(factories);
    terminal->Initialize(std::make_shared<InProcessConnection>(sim->Sender()), u"T1");
    terminal->SetThread(thread);
    sim->SetInboundThread(thread);
  }

  /// Runs the terminal's cycles until nothing is queued; a conversation
  /// that goes on and on fails the test instead of hanging it.
  void Drain() {
    for (int cycles = 0; thread->PendingMessages() > 0; ++cycles) {
      ASSERT_LT(cycles, 20) << "the terminal and the host keep answering each other";
      terminal->ExecuteBackground();
    }
  }

  /// Powers the terminal on and lets the host learn its parameters.
  void PowerOn() {
    sim->PowerOn();
    Drain();
  }

  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<MemorySettingsStore> store = std::make_shared<MemorySettingsStore>();
  std::shared_ptr<InProcessThread> thread = std::make_shared<InProcessThread>();
  std::shared_ptr<SimTerminal> sim;
  std::shared_ptr<Terminal> terminal;
};

}  // namespace carrowin::testing_support
