// What the virtual screen shows, as text and as an SVG picture, and a wait
// that reports it.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/sim/sim_terminal.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;

/// A screen of 10 columns by 2 rows: plain text; a red on blue entry field
/// with text to escape, holding the input; a reverse field; a field
/// switched off; an advisory and a soft key.
std::shared_ptr<SimTerminal> DrawnScreen() {
  const auto sim =
      SimTerminal::Create({.terminalNumber = 7, .virtualColumns = 10, .virtualRows = 2});
  const std::string message =
      "7Hf1002Hii213\x03\x00\x34g2C14u23a<&i305\x01\x30\x34u32oki400\x01\x02\x32u42nod0o2A1!S12Go"s;
  sim->Receive(std::vector<uint8_t>(message.begin(), message.end()));
  return sim;
}

TEST(SimSnapshot, ShowsTheScreenAndWhatTheTerminalHolds) {
  EXPECT_EQ(DrawnScreen()->Snapshot(),
            "+----------+\n"
            "|Hi   ok   |\n"
            "|   a<&_   |\n"
            "+----------+\n"
            "page 0 on the screen, page 0 selected, input in field 2, keyboard unlocked\n"
            "advisory \"!\"\n"
            "soft keys 1=\"Go\"\n");
}

TEST(SimSnapshot, DrawsFieldsInTheirColoursWithTheInputFramed) {
  EXPECT_EQ(DrawnScreen()->SnapshotPicture(),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"60\" "
            "font-family=\"monospace\" font-size=\"16\" xml:space=\"preserve\">\n"
            "<rect x=\"0\" y=\"0\" width=\"100\" height=\"60\" fill=\"#F4F4EC\"/>\n"
            "<text x=\"0\" y=\"15\" fill=\"#101010\">Hi</text>\n"
            "<rect x=\"30\" y=\"20\" width=\"40\" height=\"20\" fill=\"#0000AA\"/>\n"
            "<text x=\"30\" y=\"35\" fill=\"#AA0000\">a&lt;&amp;</text>\n"
            "<rect x=\"30\" y=\"38\" width=\"40\" height=\"1\" fill=\"#AA0000\"/>\n"
            "<rect x=\"30\" y=\"20\" width=\"40\" height=\"20\" fill=\"none\" stroke=\"#0060C0\" "
            "stroke-width=\"2\"/>\n"
            "<rect x=\"50\" y=\"0\" width=\"40\" height=\"20\" fill=\"#101010\"/>\n"
            "<text x=\"50\" y=\"15\" fill=\"#F4F4EC\">ok</text>\n"
            "<rect x=\"0\" y=\"40\" width=\"100\" height=\"20\" fill=\"#101010\"/>\n"
            "<text x=\"0\" y=\"55\" fill=\"#F4F4EC\">!</text>\n"
            "</svg>\n");
}

TEST(SimSnapshot, AWaitThatTimesOutFailsWithTheSnapshot) {
  const auto sim = DrawnScreen();
  const Error error = testing_support::RaisedBy([&] { sim->WaitForText(u"Welcome", 20ms); });
  EXPECT_EQ(error.Number(), sim_errors::kWaitTimedOut);
  EXPECT_EQ(error.Description(), u"Timed out after 20 ms waiting for the text \"Welcome\"\n" +
                                     FromUtf8(sim->Snapshot()));
}

}  // namespace
}  // namespace carrowin
