// The virtual terminal as a conformance checker: every byte that breaks the
// wire format is a protocol error naming the message and the byte offset.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carrowin/sim/sim_terminal.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::string_literals;
using testing_support::ExpectError;

std::vector<uint8_t> Bytes(const std::string& message) {
  return std::vector<uint8_t>(message.begin(), message.end());
}

struct BrokenCase {
  std::string message;
  std::u16string description;
};

TEST(SimStrictness, NamesTheMessageTheByteAndWhatIsWrong) {
  const std::vector<BrokenCase> cases = {
      {"7HQ", u"Message 1, byte 2: unknown command byte 0x51 'Q'"},
      {"7Hs1\x01", u"Message 1, byte 4: unknown command byte 0x01"},
      {"7Hs", u"Message 1, byte 3: the message ends before the page"},
      {"7Hf1233Qt", u"Message 1, byte 7: fixed text needs 3 bytes, the message has 2"},
      {"7H", u"Message 1, byte 2: a screen message without commands"},
      {"8Hs1", u"Message 1, byte 0: a message for terminal 8, this is terminal 7"},
      {"07Hs1", u"Message 1, byte 1: a terminal number with a leading zero"},
      {"Hs1", u"Message 1, byte 0: a message without a terminal number"},
      {"7Q", u"Message 1, byte 1: unknown function code 0x51 'Q'"},
      {"7ax", u"Message 1, byte 2: a control message with a body"},
      {"7Hs\x20", u"Message 1, byte 3: page -16 is outside 0 to 207"},
      {"7Hd/", u"Message 1, byte 3: page -1 is outside 0 to 207"},
      {"7Hb/\x04", u"Message 1, byte 3: field -1 is outside 0 to 207"},
      {"7Hi1@00\x03\x00\x35"s, u"Message 1, byte 4: row 16 is outside 0 to 15"},
      {"7Hi10X\x03\x00\x35"s, u"Message 1, byte 5: column 40 is outside 0 to 39"},
      {"7Hu1!05ab", u"Message 1, byte 4: field data 5 is not a long length code"},
      {"7Hu1!", u"Message 1, byte 5: the message ends before the field data"},
      {"7Hu1 ", u"Message 1, byte 4: field data -16 is outside 0 to 207"},
      {"7Hg1C@0", u"Message 1, byte 5: foreground colour 16 is outside -1 to 15"},
      {"7Hg1V232", u"Message 1, byte 7: video attribute 2 out of order"},
      {"7Hg1V200", u"Message 1, byte 6: video attribute 0 out of order"},
      {"7Hg1V0", u"Message 1, byte 5: video attribute count 0 is outside 1 to 7"},
      {"7Hg1X", u"Message 1, byte 4: unknown extended field command 0x58 'X'"},
      {"7Hh\x2E"
       "0",
       u"Message 1, byte 3: response size -2 is outside -1 to 207"},
      {"7HZs5", u"Message 1, byte 4: sound index 5 is outside 1 to 4"},
      {"7HZe2", u"Message 1, byte 4: scanner switch 2 is outside 0 to 1"},
      {"7HZx", u"Message 1, byte 3: unknown device command 0x78 'x'"},
      {"7HP2B", u"Message 1, byte 2: an empty local procedure"},
      {"7HP2s1B", u"Message 1, byte 4: command 0x73 's' in a local procedure"},
      {"7HP2c3", u"Message 1, byte 6: the message ends before the procedure end"},
      {"7Hy3\x50\x30", u"Message 1, byte 4: AIAG flags 32 is outside 0 to 31"},
      {"7Hy302P", u"Message 1, byte 6: AIAG prefix needs 2 bytes, the message has 1"},
  };
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.message);
    const auto sim = SimTerminal::Create({.terminalNumber = 7});
    ExpectError([&] { sim->Receive(Bytes(c.message)); }, sim_errors::kProtocolError, c.description);
    EXPECT_EQ(sim->State().protocolErrors, std::vector<std::u16string>({c.description}));
  }
}

TEST(SimStrictness, DoubleByteScreenTextIsWholeAndMarked) {
  const auto sim =
      SimTerminal::Create({.terminalNumber = 7, .codePage = 932, .printerCodePage = 932});
  ExpectError([&] { sim->Receive(Bytes("7HA2A\x82")); }, sim_errors::kProtocolError,
              u"Message 1, byte 3: advisory ends inside a double-byte character");
  ExpectError([&] { sim->Receive(Bytes("7HA3A\x82\xA0")); }, sim_errors::kProtocolError,
              u"Message 2, byte 3: advisory has double-byte characters without the marker "
              u"0x11 before them");
  // The marker announces the first double-byte character and is not shown.
  sim->Receive(Bytes("7HA4A\x11\x82\xA0"));
  EXPECT_EQ(sim->State().advisory, u"A\u3042");
  sim->Receive(
      Bytes("7H>103\x82\xA0"
            "A"));
  EXPECT_EQ(sim->State().printerPackets.at(0).text, u"\u3042A");
}

TEST(SimStrictness, APageHoldsNoMoreFieldsThanTheTerminalCanStore) {
  const auto sim = SimTerminal::Create({.terminalNumber = 7, .maxField = 32});
  std::string message = "7H";
  for (char number = '0'; number < '0' + 32; ++number) message += "f"s + number + "000";
  sim->Receive(Bytes(message));
  sim->Receive(
      Bytes("7Hf\x4F"
            "000"));  // a field it holds already is redefined
  ExpectError(
      [&] {
        sim->Receive(
            Bytes("7Hf\x50"
                  "000"));
      },
      sim_errors::kProtocolError, u"Message 3, byte 3: page 0 already holds 32 fields");
}

TEST(SimStrictness, AStrictTerminalKeepsNothingOfABrokenMessage) {
  for (const bool strict : {true, false}) {
    SCOPED_TRACE(strict);
    const auto sim = SimTerminal::Create({.terminalNumber = 7, .strict = strict});
    sim->Receive(Bytes("7H#"));
    ExpectError([&] { sim->Receive(Bytes("7Hs1#Q#")); }, sim_errors::kProtocolError,
                u"Message 2, byte 5: unknown command byte 0x51 'Q'");
    const SimState state = sim->State();
    // A lenient one keeps the commands before the error and skips the rest.
    EXPECT_EQ(state.bells, strict ? 1 : 2);
    EXPECT_EQ(state.selectedPage, strict ? 0 : 1);
    EXPECT_EQ(state.messages, 2);
    EXPECT_EQ(state.protocolErrors.size(), 1u);
  }
}

TEST(SimStrictness, RefusesOptionsAParameterReplyCannotCarry) {
  const std::vector<SimOptions> refused = {
      {.model = 208},   {.virtualColumns = 41}, {.virtualColumns = 416}, {.virtualRows = 32},
      {.maxField = 40}, {.maxField = 240},      {.codePage = 12345},
  };
  for (const SimOptions& options : refused) {
    EXPECT_EQ(testing_support::RaisedBy([&] { SimTerminal::Create(options); }).Number(),
              errors::kInvalidProcedureCall);
  }
}

}  // namespace
}  // namespace carrowin
