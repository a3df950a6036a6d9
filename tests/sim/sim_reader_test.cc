// Hand-written outbound messages, byte by byte as wire_format.md lays them
// out, and the state the virtual terminal keeps for them.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "carrowin/sim/sim_terminal.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::string_literals;

void Receive(SimTerminal& sim, const std::string& message) {
  sim.Receive(std::vector<uint8_t>(message.begin(), message.end()));
}

std::string Text(std::span<const uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

/// The field, or one numbered -99 when the page or the field is missing.
SimField FieldOf(const SimState& state, int32_t page, int32_t number) {
  const SimField* field = state.pages.contains(page) ? state.pages.at(page).Find(number) : nullptr;
  if (field != nullptr) return *field;
  SimField missing;
  missing.number = -99;
  return missing;
}

struct ReadCase {
  const char* name;
  std::vector<std::string> messages;
  std::function<void(const SimState&)> expect;
  SimOptions options = {.terminalNumber = 7};
};

TEST(SimReader, AppliesEveryCommandFamily) {
  const std::vector<ReadCase> cases = {
      {"select, display, open, lock and move the cursor",
       {"7Hs1d1o3l@<"},
       [](const SimState& s) {
         EXPECT_EQ(std::vector({s.selectedPage, s.displayedPage, *s.openField}),
                   std::vector({1, 1, 12}));
         EXPECT_TRUE(s.keyboardLocked);
       }},
      {"initialise a field, then its style, flags, patterns and attribute bits",
       {"7Hs2i325\x23\x08:+3\xFF\x42v32ABw329\xE9"s + "b3\x04"},
       [](const SimState& s) {
         const SimField f = FieldOf(s, 2, 3);
         EXPECT_EQ(std::vector({f.row, f.column, f.displayLength, f.Capacity(), f.style, f.flags,
                                f.attributeBits}),
                   std::vector({2, 5, 10, 10, 0xFF, 0x42, 0x04}));
         EXPECT_EQ(f.visiblePattern, u"AB");
         EXPECT_EQ(f.hiddenPattern, u"9\u00E9");
       }},
      {"update with the three-byte length code, and of the open field",
       {"7Hi300\x03\x00\x35i401\x03\x00\x35"s, "7Hu3!10" + std::string(208, 'x'), "7Ho4u/1y"},
       [](const SimState& s) {
         EXPECT_EQ(FieldOf(s, 0, 3).data, std::u16string(208, u'x'));
         EXPECT_EQ(FieldOf(s, 0, 4).data, u"y");
       }},
      {"clear entry fields, erase the open field, erase all of another page",
       {"7Hi100\x03\x00\x35u12abi201\x01\x00\x35u22cdi302\x03\x00\x35u32efCo1e1"s,
        "7Hs1i100\x03\x00\x35o1E"s},
       [](const SimState& s) {
         EXPECT_EQ(
             std::tuple(FieldOf(s, 0, 1).number, FieldOf(s, 0, 2).data, FieldOf(s, 0, 3).data),
             std::tuple(-99, u"cd"s, u""s));
         EXPECT_TRUE(s.pages.at(1).fields.empty());
         EXPECT_FALSE(s.openField.has_value());
       }},
      {"extended field commands",
       {"7Hi200\x03\x00\x35i301\x03\x00\x35i402\x03\x00\x35i503\x03\x00\x35"s +
        "g3S\x80g3C74g4B2g5B/g5C12g5C//g2V71234567g4V223"},
       [](const SimState& s) {
         const SimField f2 = FieldOf(s, 0, 2), f3 = FieldOf(s, 0, 3), f4 = FieldOf(s, 0, 4),
                        f5 = FieldOf(s, 0, 5);
         EXPECT_EQ(std::vector({f3.bufferSize, f3.Capacity(), f3.foreground, f3.background}),
                   std::vector({80, 80, 7, 4}));
         EXPECT_EQ(std::vector({int{f4.pushButton}, f4.procedure, int{f5.pushButton}, f5.procedure,
                                f5.foreground, f5.background}),
                   std::vector({1, 2, 1, -1, -1, -1}));
         EXPECT_EQ(std::vector({f2.video, f4.video}), std::vector({127, 6}));
       }},
      {"advisory opening no field, hey-you, advisory under a lock",
       {"7Hla/2OK", "7Hh53QtylA2Hi"},
       [](const SimState& s) {
         EXPECT_EQ(
             std::tuple(s.advisory, s.openField.value_or(-99), s.heyYou, s.heyYouResponseSize),
             std::tuple(u"Hi"s, -1, u"Qty"s, 5));
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
      {"printer and device commands",
       {"7Hp5/>103abc>100Zs2Zv\x94\x94\xFFZv1Q3Ze0"},
       [](const SimState& s) {
         ASSERT_EQ(std::vector({s.printJobs.size(), s.printerPackets.size(), s.vibrations.size()}),
                   std::vector<size_t>({1, 2, 2}));
         EXPECT_EQ(std::vector({s.printJobs[0].lines, s.printJobs[0].blankLines,
                                s.printerPackets[1].port, s.printerPackets[1].format}),
                   std::vector({5, -1, 1, 0}));
         EXPECT_EQ(s.printerPackets[0].text, u"abc");
         EXPECT_EQ(std::vector({s.sounds.at(0), s.vibrations[0].first, s.vibrations[0].second,
                                s.vibrations[0].third, s.vibrations[1].second}),
                   std::vector({2, 100, 100, 207, 33}));
         EXPECT_FALSE(s.scannerEnabled);
       }},
      {"a local procedure is kept, not run",
       {"7Hi300\x03\x00\x35u31z"s, "7HP2c3g3C10o3B#"},
       [](const SimState& s) {
         EXPECT_EQ(Text(s.procedures.at(2)), "c3g3C10o3");
         EXPECT_EQ(std::tuple(FieldOf(s, 0, 3).data, FieldOf(s, 0, 3).foreground, s.bells),
                   std::tuple(u"z"s, -1, 1));
         EXPECT_FALSE(s.openField.has_value());
       }},
      {"AIAG field",
       {"7Hi300\x03\x04\x35y342PN"s},
       [](const SimState& s) {
         const SimField f = FieldOf(s, 0, 3);
         EXPECT_EQ(std::tuple(f.aiag, f.aiagFlags, f.aiagPrefix), std::tuple(true, 4, u"PN"s));
       }},
      {"double-byte text: marked on the screen, unmarked to the printer",
       {"7HA4A\x11\x82\xA0", "7H>103\x82\xA0"s + "A"},
       [](const SimState& s) {
         EXPECT_EQ(s.advisory, u"A\u3042");
         EXPECT_EQ(s.printerPackets.at(0).text, u"\u3042A");
       },
       {.terminalNumber = 7, .codePage = 932, .printerCodePage = 932}},
      {"control messages, to a terminal with a negative number",
       {"-12Hs1f1002AB", "-12a", "-12d", "-12X", "-12Xextra", "8X", "-12A"},
       [](const SimState& s) {
         EXPECT_EQ(std::vector({s.attaches, s.detaches, s.statusRequests, s.aborts}),
                   std::vector({1, 1, 2, 1}));
         EXPECT_EQ(s.messages, 7);
         EXPECT_FALSE(s.attached);
         EXPECT_TRUE(s.pages.empty());
       },
       {.terminalNumber = -12}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto sim = SimTerminal::Create(c.options);
    for (const std::string& message : c.messages) Receive(*sim, message);
    c.expect(sim->State());
  }
}

TEST(SimReader, APushButtonRunsItsLocalProcedureOrTransmits) {
  const auto sim = SimTerminal::Create({.terminalNumber = 7});
  // A page of a field 3, buttons 4 (procedure 2), 5 (none) and 6 (procedure 7,
  // never sent), then procedure 2: clear field 3, colour it and open it.
  Receive(*sim,
          "7Hi300\x03\x00\x35u31zi410\x03\x00\x32g4B2i520\x03\x00\x32g5B/i630\x03\x00\x32g6B7"s +
              "P2c3g3C10o3Bd0o4");
  EXPECT_TRUE(sim->PressButton(4).empty());
  const SimField cleared = FieldOf(sim->State(), 0, 3);
  EXPECT_EQ(std::tuple(cleared.data, cleared.foreground, cleared.background),
            std::tuple(u""s, 1, 0));
  EXPECT_EQ(sim->State().openField, 3);
  EXPECT_EQ(Text(sim->PressButton(5)), "R%5");
  EXPECT_TRUE(sim->State().keyboardLocked);
  Receive(*sim, "7Ho3");
  testing_support::ExpectError([&] { sim->PressButton(6); }, errors::kInvalidProcedureCall,
                               u"The button's local procedure was never sent");
}

}  // namespace
}  // namespace carrowin
