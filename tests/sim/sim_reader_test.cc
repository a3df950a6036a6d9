// Hand-written outbound messages, byte by byte as wire_format.md lays them
// out, and the state the virtual terminal keeps for them.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "carrowin/host/in_process_thread.h"
#include "carrowin/sim/sim_terminal.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::string_literals;

void Receive(SimTerminal& sim, const std::string& message) {
  sim.Receive(std::vector<uint8_t>(message.begin(), message.end()));
}

const SimField& FieldOf(const SimState& state, int32_t page, int32_t number) {
  static const SimField missing = [] {
    SimField field;
    field.number = -99;
    return field;
  }();
  const auto found = state.pages.find(page);
  if (found == state.pages.end()) return missing;
  const SimField* field = found->second.Find(number);
  return field != nullptr ? *field : missing;
}

struct ReadCase {
  const char* name;
  std::vector<std::string> messages;
  std::function<void(const SimState&)> expect;
};

TEST(SimReader, AppliesEveryCommandOfTheScreenMessages) {
  const std::vector<ReadCase> cases = {
      {"select, display and open",
       {"7Hs1d1o3"},
       [](const SimState& s) {
         EXPECT_EQ(s.selectedPage, 1);
         EXPECT_EQ(s.displayedPage, 1);
         EXPECT_EQ(s.openField, 3);
         EXPECT_FALSE(s.keyboardLocked);
       }},
      {"initialise field",
       {"7Hs2i325\x23\x08:"},
       [](const SimState& s) {
         const SimField& f = FieldOf(s, 2, 3);
         EXPECT_EQ(std::vector({f.row, f.column, f.style, f.flags, f.displayLength}),
                   std::vector({2, 5, 0x23, 0x08, 10}));
         EXPECT_TRUE(f.IsEntry());
         EXPECT_EQ(f.Capacity(), 10);
       }},
      {"fixed field",
       {"7Hf1233Qty"},
       [](const SimState& s) {
         const SimField& f = FieldOf(s, 0, 1);
         EXPECT_EQ(std::vector({f.row, f.column, f.displayLength}), std::vector({2, 3, 3}));
         EXPECT_EQ(f.data, u"Qty");
         EXPECT_FALSE(f.IsEntry());
       }},
      {"update with a long length code",
       {"7Hi300\x03\x00\x35"s, "7Hu3!10" + std::string(208, 'x')},
       [](const SimState& s) { EXPECT_EQ(FieldOf(s, 0, 3).data, std::u16string(208, u'x')); }},
      {"update of the open field",
       {"7Hi300\x03\x00\x35o3u/1x"s},
       [](const SimState& s) { EXPECT_EQ(FieldOf(s, 0, 3).data, u"x"); }},
      {"clear all clears entry fields only",
       {"7Hi100\x03\x00\x35u12ab"s + "i201\x01\x00\x35u22cdc9C"s},
       [](const SimState& s) {
         EXPECT_EQ(FieldOf(s, 0, 1).data, u"");
         EXPECT_EQ(FieldOf(s, 0, 2).data, u"cd");
       }},
      {"erase the open field, then all",
       {"7Hi100\x03\x00\x35i201\x03\x00\x35o1e1"s},
       [](const SimState& s) {
         EXPECT_EQ(FieldOf(s, 0, 1).number, -99);
         EXPECT_EQ(FieldOf(s, 0, 2).number, 2);
         EXPECT_FALSE(s.openField.has_value());
       }},
      {"erase all",
       {"7Hi100\x03\x00\x35o1E"s},
       [](const SimState& s) {
         EXPECT_TRUE(s.pages.at(0).fields.empty());
         EXPECT_FALSE(s.openField.has_value());
       }},
      {"style, flags, patterns and attribute bits",
       {"7Hi500\x03\x00\x35+5\xFF\x42v52AB"s + "w529\xE9" + "b5\x04"},
       [](const SimState& s) {
         const SimField& f = FieldOf(s, 0, 5);
         EXPECT_EQ(std::vector({f.style, f.flags, f.attributeBits}),
                   std::vector({0xFF, 0x42, 0x04}));
         EXPECT_EQ(f.visiblePattern, u"AB");
         EXPECT_EQ(f.hiddenPattern, u"9\u00E9");
       }},
      {"move cursor records the field open, locked still",
       {"7Hl@<"},
       [](const SimState& s) {
         EXPECT_EQ(s.openField, 12);
         EXPECT_TRUE(s.keyboardLocked);
       }},
      {"extended field commands",
       {"7Hi300\x03\x00\x35i401\x03\x00\x35i202\x03\x00\x35"s + "g3S\x80g4B2g3C74g2V223g4V10"},
       [](const SimState& s) {
         const SimField &f3 = FieldOf(s, 0, 3), &f4 = FieldOf(s, 0, 4), &f2 = FieldOf(s, 0, 2);
         EXPECT_EQ(std::vector({f3.bufferSize, f3.Capacity(), f3.foreground, f3.background}),
                   std::vector({80, 80, 7, 4}));
         EXPECT_EQ(std::vector({int{f4.pushButton}, f4.procedure, f4.video, f2.video}),
                   std::vector({1, 2, 0, 6}));
       }},
      {"all video attributes, button without procedure, colour defaults",
       {"7Hi200\x03\x00\x35g2V71234567g2B/g2C//"s},
       [](const SimState& s) {
         const SimField& f = FieldOf(s, 0, 2);
         EXPECT_EQ(std::vector({f.video, f.procedure, f.foreground, f.background}),
                   std::vector({127, -1, -1, -1}));
       }},
      {"advisory with field, then hey-you",
       {"7Hl"
        "a/2OK",
        "7Hh53Qty"},
       [](const SimState& s) {
         EXPECT_EQ(s.advisory, u"OK");
         EXPECT_EQ(s.openField, -1);
         EXPECT_EQ(s.heyYou, u"Qty");
         EXPECT_EQ(s.heyYouResponseSize, 5);
         EXPECT_FALSE(s.keyboardLocked);
       }},
      {"advisory without opening keeps the lock",
       {"7Hl"
        "A2Hi"},
       [](const SimState& s) {
         EXPECT_EQ(s.advisory, u"Hi");
         EXPECT_TRUE(s.keyboardLocked);
       }},
      {"bells, wake, milestones and soft keys",
       {"7H##W3M3M01N3M01S02GoO1X"},
       [](const SimState& s) {
         EXPECT_EQ(std::vector({s.bells, s.wakeKey}), std::vector({2, 3}));
         EXPECT_EQ(s.milestones, std::vector<std::u16string>({u"M01", u"X"}));
         EXPECT_EQ(s.acknowledgedMilestone, u"M01");
         EXPECT_EQ(s.softKeys.at(0), u"Go");
         EXPECT_FALSE(s.keyboardLocked);
       }},
      {"printing",
       {"7Hp5/>103abc>100"},
       [](const SimState& s) {
         ASSERT_EQ(s.printJobs.size(), 1u);
         EXPECT_EQ(std::vector({s.printJobs[0].lines, s.printJobs[0].blankLines}),
                   std::vector({5, -1}));
         ASSERT_EQ(s.printerPackets.size(), 2u);
         EXPECT_EQ(s.printerPackets[0].text, u"abc");
         EXPECT_EQ(std::vector({s.printerPackets[1].port, s.printerPackets[1].format}),
                   std::vector({1, 0}));
       }},
      {"device commands",
       {"7HZs2Zv\x94\x94\xFFZv1Q3Ze0"},
       [](const SimState& s) {
         EXPECT_EQ(s.sounds, std::vector<int32_t>({2}));
         ASSERT_EQ(s.vibrations.size(), 2u);
         EXPECT_EQ(std::vector({s.vibrations[0].first, s.vibrations[0].second,
                                s.vibrations[0].third, s.vibrations[1].second}),
                   std::vector({100, 100, 207, 33}));
         EXPECT_FALSE(s.scannerEnabled);
       }},
      {"a local procedure is kept, not run",
       {"7Hi300\x03\x00\x35u31z"s, "7HP2c3g3C10o3B#"},
       [](const SimState& s) {
         const std::vector<uint8_t>& bytes = s.procedures.at(2);
         EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "c3g3C10o3");
         EXPECT_EQ(FieldOf(s, 0, 3).data, u"z");
         EXPECT_EQ(FieldOf(s, 0, 3).foreground, -1);
         EXPECT_FALSE(s.openField.has_value());
         EXPECT_EQ(s.bells, 1);
       }},
      {"AIAG field",
       {"7Hi300\x03\x04\x35y342PN"s},
       [](const SimState& s) {
         const SimField& f = FieldOf(s, 0, 3);
         EXPECT_TRUE(f.aiag);
         EXPECT_EQ(f.aiagFlags, 4);
         EXPECT_EQ(f.aiagPrefix, u"PN");
       }},
      {"commands for a field the page lacks change nothing",
       {"7Hs1i300\x03\x00\x35s2u32ab+3\x01\x01"s},
       [](const SimState& s) {
         EXPECT_EQ(FieldOf(s, 1, 3).data, u"");
         EXPECT_EQ(FieldOf(s, 1, 3).style, 3);
         EXPECT_EQ(FieldOf(s, 2, 3).number, -99);
       }},
      {"a saved page keeps its fields while another is drawn",
       {"7Hs1f1002AB", "7Hs2Ef1002CDd2", "7Hs1d1"},
       [](const SimState& s) {
         EXPECT_EQ(FieldOf(s, 1, 1).data, u"AB");
         EXPECT_EQ(FieldOf(s, 2, 1).data, u"CD");
         EXPECT_EQ(s.displayedPage, 1);
       }},
      {"attach, detach, status request and abort",
       {"7Hs1f1002AB", "7a", "7d", "7X", "7Xextra", "8X", "7A"},
       [](const SimState& s) {
         EXPECT_EQ(std::vector({s.attaches, s.detaches, s.statusRequests, s.aborts}),
                   std::vector({1, 1, 2, 1}));
         EXPECT_FALSE(s.attached);
         EXPECT_TRUE(s.pages.empty());
         EXPECT_EQ(s.messages, 7);
       }},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto sim = SimTerminal::Create({.terminalNumber = 7});
    for (const std::string& message : c.messages) Receive(*sim, message);
    c.expect(sim->State());
  }
}

TEST(SimReader, ReadsTheHeaderOfANegativeTerminalNumber) {
  const auto sim = SimTerminal::Create({.terminalNumber = -12});
  Receive(*sim, "-12Hs4");
  EXPECT_EQ(sim->State().selectedPage, 4);
}

std::string Text(std::span<const uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(SimReader, AnswersQueriesReadsAndAttaches) {
  auto thread = std::make_shared<InProcessThread>();
  const auto sim = SimTerminal::Create({.terminalNumber = 7,
                                        .model = 82,
                                        .version = 3,
                                        .features = 1,
                                        .config = 2,
                                        .virtualColumns = 60,
                                        .virtualRows = 20,
                                        .maxField = 96,
                                        .savedPages = 3,
                                        .application = 9});
  sim->SetInboundThread(thread);
  Receive(*sim, "7H!");
  Receive(*sim, "7a");
  Receive(*sim,
          "7Hi100\x03\x00\x35i201\x03\x00\x35"
          "d0o1"s);
  sim->Type(u"ab");
  Receive(*sim, "7HR");
  Receive(*sim, "7HR");
  sim->Type(u"c");
  Receive(*sim, "7HW3");
  std::vector<std::string> posted;
  while (const auto message = thread->NextMessage()) posted.push_back(Text(message->DataBytes()));
  // Sizes: 10 half rows, 4 steps of 16 fields above 32.
  EXPECT_EQ(posted, std::vector<std::string>(
                        {"R!\x82\x33\x31\x32N\x7A\x33\x39", "I", "R=12ab", "R", "R=13abcF31"}));
  EXPECT_TRUE(sim->State().keyboardLocked);
}

TEST(SimReader, APushButtonRunsItsLocalProcedure) {
  const auto sim = SimTerminal::Create({.terminalNumber = 7});
  Receive(*sim,
          "7Hi300\x03\x00\x35u31zi410\x03\x00\x32g4B2i520\x03\x00\x32g5B/i630\x03\x00\x32g6B7"s);
  Receive(*sim, "7HP2c3g3C10o3B");
  Receive(*sim, "7Hd0o4");
  EXPECT_TRUE(sim->PressButton(4).empty());
  const SimState state = sim->State();
  const SimField& cleared = FieldOf(state, 0, 3);
  EXPECT_EQ(cleared.data, u"");
  EXPECT_EQ(std::vector({cleared.foreground, cleared.background}), std::vector({1, 0}));
  EXPECT_EQ(state.openField, 3);
  // Without a procedure the button transmits.
  EXPECT_EQ(Text(sim->PressButton(5)), "R%5");
  EXPECT_TRUE(sim->State().keyboardLocked);
  Receive(*sim, "7Ho3");
  testing_support::ExpectError([&] { sim->PressButton(3); }, errors::kInvalidProcedureCall,
                               u"The field is not a push button on the screen");
  testing_support::ExpectError([&] { sim->PressButton(6); }, errors::kInvalidProcedureCall,
                               u"The button's local procedure was never sent");
}

}  // namespace
}  // namespace carrowin
