// The screen as an SVG picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carrowin/sim/sim_terminal.h"

namespace carrowin {
namespace {

using namespace std::string_literals;

TEST(SimSnapshotSvg, DrawsFieldsInTheirColoursWithTheInputFramed) {
  const auto sim =
      SimTerminal::Create({.terminalNumber = 7, .virtualColumns = 10, .virtualRows = 2});
  // Plain text; a red on blue entry field with text to escape; a reverse
  // field; a field switched off; then the input field and an advisory.
  const std::string message =
      "7Hf1002Hii213\x03\x00\x34g2C14u23a<&i305\x01\x30\x34u32oki400\x01\x02\x32u42nod0o2A1!"s;
  sim->Receive(std::vector<uint8_t>(message.begin(), message.end()));
  EXPECT_EQ(sim->SnapshotPicture(),
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"60\" "
            "font-family=\"monospace\" font-size=\"16\">\n"
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

}  // namespace
}  // namespace carrowin
