// The full loop: operator actions on the virtual terminal, through an
// in-process thread, into a real Terminal's cycles and its page's events.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim_loop_fixture.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;

/// The fixture's terminal with a sign-on page that the host shows as soon
/// as the terminal is online, and the page's events as text.
class SimOperator : public testing_support::SimLoopFixture {
 protected:
  explicit SimOperator(SimOptions options = {.terminalNumber = 7})
      : SimLoopFixture(options), page(terminal->Pages()->Add(u"SignOn")) {
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

  std::u16string Data(std::u16string_view field) const {
    return page->Fields()->Item(Variant(std::u16string(field)))->RawData();
  }

  /// Sends what the application wrote outside a cycle.
  void SendApplicationCommands() { terminal->Drel()->SendData(); }

  std::shared_ptr<Page> page;
  std::vector<std::string> events;
};

TEST_F(SimOperator, PowerOnGetsThePageOnTheScreen) {
  PowerOn();
  const SimState state = sim->State();
  EXPECT_EQ(state.displayedPage, page->PageNumber());
  ASSERT_NE(state.InputField(), nullptr);
  EXPECT_EQ(state.InputField()->number, 2);
  EXPECT_FALSE(state.keyboardLocked);
  EXPECT_EQ(state.attaches, 0);
  EXPECT_TRUE(state.protocolErrors.empty());
}

class SimOtherTerminal : public SimOperator {
 protected:
  SimOtherTerminal()
      : SimOperator({.terminalNumber = 7,
                     .model = 82,
                     .version = 3,
                     .features = 5,
                     .config = 6,
                     .virtualColumns = 60,
                     .virtualRows = 20,
                     .maxField = 96,
                     .savedPages = 2,
                     .application = 8}) {}
};

TEST_F(SimOtherTerminal, PowerOnTellsTheHostItsParameters) {
  PowerOn();
  const Parameters& learned = *terminal->Parameters();
  EXPECT_EQ(std::vector<int32_t>({learned.Model(), learned.Version(), learned.Features(),
                                  learned.Config(), learned.VirtualColumns(), learned.VirtualRows(),
                                  learned.MaxField(), learned.SavedPages(), learned.Application()}),
            std::vector<int32_t>({82, 3, 5, 6, 60, 20, 96, 2, 8}));
  EXPECT_EQ(sim->State().displayedPage, 1);
}

struct OperatorCase {
  const char* name;
  /// What the host does first (on the page shown after power-on).
  std::function<void(Page&)> host;
  std::function<void(SimTerminal&)> act;
  std::vector<std::string> events;
  /// Data the host's fields hold afterwards.
  std::u16string user;
  std::u16string qty;
};

class SimOperatorActions : public SimOperator,
                           public ::testing::WithParamInterface<OperatorCase> {};

TEST_P(SimOperatorActions, ReachTheHostAsEvents) {
  const OperatorCase& c = GetParam();
  PowerOn();
  if (c.host) {
    c.host(*page);
    SendApplicationCommands();
  }
  c.act(*sim);
  Drain();
  EXPECT_EQ(events, c.events);
  EXPECT_EQ(Data(u"User"), c.user);
  EXPECT_EQ(Data(u"Qty"), c.qty);
  EXPECT_TRUE(sim->State().protocolErrors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimOperatorActions,
    ::testing::Values(OperatorCase{"FunctionKeyWithTypedData",
                                   nullptr,
                                   [](SimTerminal& s) {
                                     s.Type(u"ANNA");
                                     s.PressKey(1);
                                   },
                                   {"F1 User"},
                                   u"ANNA",
                                   u""},
                      OperatorCase{"TextThroughTheCodePage",
                                   nullptr,
                                   [](SimTerminal& s) {
                                     s.Type(u"Gr\u00F6\u00DFe");
                                     s.PressKey(2);
                                   },
                                   {"F2 User"},
                                   u"Gr\u00F6\u00DFe",
                                   u""},
                      OperatorCase{"TypingStopsAtTheFieldsEnd",
                                   nullptr,
                                   [](SimTerminal& s) {
                                     s.Type(u"ABCDEFGHIJ");
                                     s.PressKey(0);
                                   },
                                   {"F0 User"},
                                   u"ABCDEFGH",
                                   u""},
                      OperatorCase{"EnterMovesOnThenTransmits",
                                   nullptr,
                                   [](SimTerminal& s) {
                                     s.Type(u"AB");
                                     EXPECT_TRUE(s.Enter().empty());
                                     s.Type(u"1x2");  // a numeric field refuses the letter
                                     s.Enter();
                                   },
                                   {"% Qty"},
                                   u"AB",
                                   u"12"},
                      OperatorCase{"HeyYouAnswerCutToItsSize",
                                   [](Page& p) { p.StartHeyYou(3, u"How many?"); },
                                   [](SimTerminal& s) { s.AnswerHeyYou(u"12345"); },
                                   {"? 123"},
                                   u"",
                                   u""},
                      OperatorCase{"ScanIntoABarCodeField",
                                   [](Page& p) { p.StartEntry(u"Qty"); },
                                   [](SimTerminal& s) { s.Scan(u"4711"); },
                                   {"% Qty"},
                                   u"",
                                   u"4711"},
                      OperatorCase{"ScanElsewhereIsSerialInput",
                                   nullptr,
                                   [](SimTerminal& s) { s.Scan(u"4711"); },
                                   {"< 0 4711"},
                                   u"",
                                   u""},
                      OperatorCase{"SerialInput",
                                   nullptr,
                                   [](SimTerminal& s) { s.SerialInput(2, u"abc"); },
                                   {"< 2 abc"},
                                   u"",
                                   u""},
                      OperatorCase{"KeyWithoutAnInputField",
                                   [](Page& p) { p.StartEntry(u"TTitle"); },
                                   [](SimTerminal& s) { s.PressKey(4); },
                                   {"F4 "},
                                   u"",
                                   u""}),
    [](const ::testing::TestParamInfo<OperatorCase>& info) { return info.param.name; });

class SimJapaneseTerminal : public SimOperator {
 protected:
  SimJapaneseTerminal()
      : SimOperator({.terminalNumber = 7, .codePage = 932, .printerCodePage = 932}) {}
};

TEST_F(SimJapaneseTerminal, DoubleByteTextTravelsBothWays) {
  page->Fields()->Item(Variant(u"TTitle"))->SetData(u"\u30B5\u30A4\u30F3");
  PowerOn();
  terminal->Drel()->PrinterPortPass(1, 0, u"\u6F22\u5B57");
  terminal->Drel()->SendData();
  EXPECT_EQ(sim->State().pages.at(1).fields.at(1).data, u"\u30B5\u30A4\u30F3");
  EXPECT_EQ(sim->State().printerPackets.at(0).text, u"\u6F22\u5B57");
  sim->Type(u"\u3042\u3044");
  sim->PressKey(1);
  Drain();
  EXPECT_EQ(Data(u"User"), u"\u3042\u3044");
  EXPECT_EQ(events, std::vector<std::string>({"F1 User"}));
  EXPECT_TRUE(sim->State().protocolErrors.empty());
}

TEST_F(SimOperator, AReadRequestGetsTheChangedFields) {
  PowerOn();
  sim->Type(u"ANNA");
  // Started again, a terminal whose parameters the host knows is asked for
  // its screen ("R") instead.
  thread->PostBytes({'I'});
  Drain();
  EXPECT_EQ(Data(u"User"), u"ANNA");
  EXPECT_TRUE(page->Fields()->Item(Variant(u"User"))->Touched());
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(sim->State().InputField()->modified);
}

TEST_F(SimOperator, RefusesWhatTheTerminalWouldRefuse) {
  PowerOn();
  sim->PressKey(1);
  Drain();
  const SimState before = sim->State();
  ExpectError([&] { sim->Type(u"x"); }, errors::kInvalidProcedureCall, u"The keyboard is locked");
  ExpectError([&] { sim->PressKey(1); }, errors::kInvalidProcedureCall, u"The keyboard is locked");
  ExpectError([&] { sim->AnswerHeyYou(u"x"); }, errors::kInvalidProcedureCall,
              u"No hey-you prompt is waiting");
  ExpectError([&] { sim->SerialInput(208, u"x"); }, errors::kInvalidProcedureCall,
              u"A port is 0 to 207");
  terminal->ScannerEnable(Variant(false));
  page->StartEntry(u"TTitle");
  SendApplicationCommands();
  ExpectError([&] { sim->Scan(u"1"); }, errors::kInvalidProcedureCall, u"The scanner is off");
  ExpectError([&] { sim->Type(u"x"); }, errors::kInvalidProcedureCall, u"No entry field is open");
  EXPECT_EQ(sim->State().pages.at(1).fields.at(2).data, before.pages.at(1).fields.at(2).data);
  EXPECT_EQ(thread->PendingMessages(), 0u);
}

}  // namespace
}  // namespace carrowin
