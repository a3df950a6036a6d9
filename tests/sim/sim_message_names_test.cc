// The names a transcript gives the messages on the wire.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carrowin/sim/message_names.h"
#include "carrowin/sim/sim_terminal.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST(SimMessageNames, NamesEachOutboundCommand) {
  const SimOptions options{.terminalNumber = 7};
  const struct {
    std::string message;
    std::vector<std::string> names;
  } cases[] = {
      {"7a", {"attach"}},
      {"7H!", {"parameter query"}},
      {"7Hs1d1f1003Qtyo/#", {"select page", "display page", "fixed field", "open field", "bell"}},
      {"7H>103ABCZv324g1S5Ze1", {"printer pass-through", "vibrate", "buffer size", "scanner"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OutboundCommandNames(Bytes(c.message), options), c.names) << c.message;
  }
  // Read as the terminal reads it: another terminal's message is refused.
  testing_support::ExpectError([&] { OutboundCommandNames(Bytes("8a"), options); },
                               sim_errors::kProtocolError,
                               u"Message 1, byte 0: a message for terminal 8, this is terminal 7");
}

TEST(SimMessageNames, NamesEachInboundRecord) {
  const struct {
    std::string message;
    std::vector<std::string> names;
  } cases[] = {
      {"I", {"initialized"}},
      {"R!1F00hh40", {"parameters"}},
      {"R=33ANNF13", {"field data", "function key"}},
      {"R=20%2?1Y", {"field data", "entry", "hey-you answer"}},
      {"R<13abc", {"serial input"}},
      // The host stops at a record it does not know, and so does the name list.
      {"Rx=33ANN", {"0x78 'x'"}},
  };
  for (const auto& c : cases) EXPECT_EQ(InboundRecordNames(Bytes(c.message)), c.names) << c.message;
  testing_support::ExpectError([] { InboundRecordNames(Bytes("R=35AN")); },
                               sim_errors::kProtocolError,
                               u"Message 1, byte 4: field data needs 5 bytes, the message has 2");
}

}  // namespace
}  // namespace carrowin
