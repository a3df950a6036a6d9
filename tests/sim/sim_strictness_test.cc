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
  SimOptions options = {.terminalNumber = 7};
};

TEST(SimStrictness, NamesTheMessageTheByteAndWhatIsWrong) {
  const std::vector<BrokenCase> cases = {
      {"7HQ", u"Message 1, byte 2: unknown command byte 0x51 'Q'"},
      {"7Hs", u"Message 1, byte 3: the message ends before the page"},
      {"7Hf1233Qt", u"Message 1, byte 7: fixed text needs 3 bytes, the message has 2"},
      {"8Hs1", u"Message 1, byte 0: a message for terminal 8, this is terminal 7"},
      {"7Q", u"Message 1, byte 1: unknown function code 0x51 'Q'"},
      {"7ax", u"Message 1, byte 2: a control message with a body"},
      {"7Hi1@00\x03\x00\x35"s, u"Message 1, byte 4: row 16 is outside 0 to 15"},
      {"7Hu1!05ab", u"Message 1, byte 4: field data 5 is not a long length code"},
      {"7Hg1V232", u"Message 1, byte 7: video attribute 2 out of order"},
      {"7Hg1X", u"Message 1, byte 4: unknown extended field command 0x58 'X'"},
      {"7HZx", u"Message 1, byte 3: unknown device command 0x78 'x'"},
      {"7HP2s1B", u"Message 1, byte 4: command 0x73 's' in a local procedure"},
      {"7HP2c3", u"Message 1, byte 6: the message ends before the procedure end"},
      {"7HA3A\x82\xA0",
       u"Message 1, byte 3: advisory has double-byte characters without the marker 0x11 before "
       u"them",
       {.terminalNumber = 7, .codePage = 932, .printerCodePage = 932}},
  };
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.message);
    const auto sim = SimTerminal::Create(c.options);
    ExpectError([&] { sim->Receive(Bytes(c.message)); }, sim_errors::kProtocolError, c.description);
    EXPECT_EQ(sim->State().protocolErrors, std::vector<std::u16string>({c.description}));
  }
}

TEST(SimStrictness, AStrictTerminalKeepsNothingOfABrokenMessage) {
  for (const bool strict : {true, false}) {
    SCOPED_TRACE(strict);
    const auto sim = SimTerminal::Create({.terminalNumber = 7, .strict = strict});
    sim->Receive(Bytes("7H#"));
    ExpectError([&] { sim->Receive(Bytes("7Hs1#Q#")); }, sim_errors::kProtocolError,
                u"Message 2, byte 5: unknown command byte 0x51 'Q'");
    // A lenient one keeps the commands before the error and skips the rest.
    EXPECT_EQ(std::vector({sim->State().bells, sim->State().selectedPage}),
              std::vector({strict ? 1 : 2, strict ? 0 : 1}));
  }
}

TEST(SimStrictness, RefusesOptionsAParameterReplyCannotCarry) {
  for (const SimOptions& options : std::vector<SimOptions>{
           {.model = 208}, {.virtualColumns = 41}, {.maxField = 40}, {.codePage = 12345}}) {
    EXPECT_EQ(testing_support::RaisedBy([&] { SimTerminal::Create(options); }).Number(),
              errors::kInvalidProcedureCall);
  }
}

}  // namespace
}  // namespace carrowin
