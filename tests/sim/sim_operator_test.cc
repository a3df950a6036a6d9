// The full loop: operator actions on the virtual terminal, through an
// in-process thread, into a real Terminal's cycles and its page's events.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/carrowin.h"
#include "carrowin/sim/sim_terminal.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;

/// A terminal (record "T1", number 7, of a model other than the default)
/// whose messages go to a virtual terminal, which answers through an
/// in-process thread; the test runs the worker's cycles itself with
/// `Drain`. The host shows a sign-on page as soon as the terminal is online
/// and records the page's events as text.
class SimOperator : public ::testing::Test {
 protected:
  SimOperator() {
    store->SetSetting(u"Terminal", u"T1", u"TerminalId", Variant(int32_t{7}));
    store->SetSetting(u"Terminal", u"T1", u"Codepage", Variant(int32_t{0}));
    store->SetSetting(u"Terminal", u"T1", u"PrinterCodepage", Variant(int32_t{0}));
    HostFactories factories;
    factories.processTrace = [t = trace] { return t; };
    factories.objectSettings = [s = store] { return std::make_shared<MemoryObjectSettings>(s); };
    factories.settingsEraser = [s = store] { return std::make_shared<MemorySettingsEraser>(s); };
    terminal = Terminal::Create(factories);
    terminal->Initialize(std::make_shared<InProcessConnection>(sim->Sender()), u"T1");
    terminal->SetThread(thread);
    sim->SetInboundThread(thread);
    page = terminal->Pages()->Add(u"SignOn");
    page->SetPageNumber(1);
    Fields& fields = *page->Fields();
    fields.AddText(1, u"Title", 1, 1, u"Sign on");
    fields.AddEntry(2, u"User", 2, 1, 8);
    fields.AddEntry(3, u"Qty", 3, 1, 4, StyleNum | StyleXmit, FlagsBarcode);
    page->evtFunctionKey.Connect([this](int32_t& key, std::u16string& field) {
      events.push_back("F" + std::to_string(key) + " " + ToUtf8(field));
    });
    page->evtTransmitOnEntry.Connect(
        [this](std::u16string& field) { events.push_back("% " + ToUtf8(field)); });
    page->evtHeyYou.Connect(
        [this](std::u16string& answer) { events.push_back("? " + ToUtf8(answer)); });
    page->evtSerialInput.Connect([this](int32_t& port, std::u16string& data) {
      events.push_back("< " + std::to_string(port) + " " + ToUtf8(data));
    });
    terminal->evtOnline.Connect([this] { page->Display(u"User"); });
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

  /// The page's events, then the data of its entry fields, as text; a
  /// protocol error shows too.
  std::string Outcome() const {
    std::string text;
    for (const std::string& event : events) text += event + " ";
    text += "| User=" + ToUtf8(page->Fields()->Item(Variant(u"User"))->RawData()) +
            " Qty=" + ToUtf8(page->Fields()->Item(Variant(u"Qty"))->RawData());
    for (const std::u16string& error : sim->State().protocolErrors) text += " " + ToUtf8(error);
    return text;
  }

  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
  std::shared_ptr<MemorySettingsStore> store = std::make_shared<MemorySettingsStore>();
  std::shared_ptr<InProcessThread> thread = std::make_shared<InProcessThread>();
  std::shared_ptr<SimTerminal> sim = SimTerminal::Create({.terminalNumber = 7,
                                                          .model = 83,
                                                          .version = 71,
                                                          .features = 5,
                                                          .config = 6,
                                                          .virtualColumns = 60,
                                                          .virtualRows = 20,
                                                          .maxField = 96,
                                                          .savedPages = 2,
                                                          .application = 8});
  std::shared_ptr<Terminal> terminal;
  std::shared_ptr<Page> page;
  std::vector<std::string> events;
};

TEST_F(SimOperator, StartingUpTellsTheHostTheParametersThenTheScreen) {
  PowerOn();
  const Parameters& learned = *terminal->Parameters();
  EXPECT_EQ(std::vector<int32_t>({learned.Model(), learned.Version(), learned.Features(),
                                  learned.Config(), learned.VirtualColumns(), learned.VirtualRows(),
                                  learned.MaxField(), learned.SavedPages(), learned.Application()}),
            std::vector<int32_t>({83, 71, 5, 6, 60, 20, 96, 2, 8}));
  ASSERT_NE(sim->State().InputField(), nullptr);
  EXPECT_EQ(std::vector({sim->State().displayedPage, sim->State().InputField()->number}),
            std::vector({1, 2}));
  EXPECT_FALSE(sim->State().keyboardLocked);
  sim->Type(u"ANNA");
  // Started again, a terminal whose parameters the host knows is asked for
  // its screen ("R") instead.
  thread->PostBytes({'I'});
  Drain();
  EXPECT_EQ(Outcome(), "| User=ANNA Qty=");
  EXPECT_FALSE(sim->State().InputField()->modified);
}

TEST_F(SimOperator, AWorkerDrivesTheTerminalWhileTheTestWaits) {
  page->evtFunctionKey.Connect([this](int32_t&, std::u16string&) {
    Fields& fields = *page->Fields();
    fields.Item(Variant(u"TTitle"))->SetData(u"Hi " + fields.Item(Variant(u"User"))->RawData());
  });
  // A failed wait leaves the terminal running: the worker then ends when
  // the test's scope stops it, instead of hanging the join.
  std::jthread worker([this](const std::stop_token& stop) {
    while (!stop.stop_requested() && !thread->Stopped()) {
      thread->WaitForMessage(50ms);
      terminal->ExecuteBackground();
    }
  });
  sim->PowerOn();
  sim->WaitForText(u"Sign on", 5s);
  sim->WaitForUnlocked(5s);
  sim->Type(u"ANNA");
  sim->PressKey(1);
  sim->WaitForText(u"Hi ANNA", 5s);
  thread->RequestStop();
  EXPECT_TRUE(thread->WaitUntilStopped(5s));
}

struct OperatorCase {
  const char* name;
  /// What the host does first (on the page shown after power-on).
  std::function<void(Page&)> host;
  std::function<void(SimTerminal&)> act;
  /// The page's events and the data of its fields afterwards.
  std::string outcome;
};

class SimOperatorActions : public SimOperator,
                           public ::testing::WithParamInterface<OperatorCase> {};

TEST_P(SimOperatorActions, ReachTheHostAsEvents) {
  PowerOn();
  if (GetParam().host) {
    GetParam().host(*page);
    terminal->Drel()->SendData();
  }
  GetParam().act(*sim);
  Drain();
  EXPECT_EQ(Outcome(), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimOperatorActions,
    ::testing::Values(
        OperatorCase{"FunctionKeyWithTextThroughTheCodePage", nullptr,
                     [](SimTerminal& s) {
                       s.Type(u"Gr\u00F6\u00DFe");
                       s.PressKey(2);
                     },
                     "F2 User | User=Gr\u00F6\u00DFe Qty="},
        OperatorCase{"EnterMovesOnThenTransmits", nullptr,
                     [](SimTerminal& s) {
                       s.Type(u"AB");
                       EXPECT_TRUE(s.Enter().empty());
                       s.Type(u"1x2");  // a numeric field refuses the letter
                       s.Enter();
                     },
                     "% Qty | User=AB Qty=12"},
        OperatorCase{"HeyYouAnswerCutToItsSize", [](Page& p) { p.StartHeyYou(3, u"How many?"); },
                     [](SimTerminal& s) { s.AnswerHeyYou(u"12345"); }, "? 123 | User= Qty="},
        OperatorCase{"ScanIntoABarCodeField", [](Page& p) { p.StartEntry(u"Qty"); },
                     [](SimTerminal& s) { s.Scan(u"4711"); }, "% Qty | User= Qty=4711"},
        OperatorCase{"SerialInput", nullptr, [](SimTerminal& s) { s.SerialInput(2, u"abc"); },
                     "< 2 abc | User= Qty="}),
    [](const ::testing::TestParamInfo<OperatorCase>& info) { return info.param.name; });

}  // namespace
}  // namespace carrowin
