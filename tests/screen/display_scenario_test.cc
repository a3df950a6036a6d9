// A terminal's working day in two screens, checked byte for byte on the wire:
// the sign-on page, then a picking page large enough to need two messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

using namespace std::string_literals;

class DisplayScenario : public TerminalFixture {
 protected:
  // The messages sent since the last call, whole, headers included.
  std::vector<std::string> SentMessages() {
    terminal->Drel()->SendData();
    return TakeMessages();
  }
};

TEST_F(DisplayScenario, SignOnThenPickingPageGoOutAsExpectedMessages) {
  // A wide virtual screen, which the terminal scrolls: room for a long
  // description line.
  SetParameters(70, 240);
  Pages& pages = *terminal->Pages();
  std::string description;
  for (int i = 0; i < 10; ++i) description += "BOLT M8X40 ZINC DIN 933 ";

  const auto signOn = pages.Add(u"SignOn");
  signOn->SetPageNumber(1);
  Fields& signOnFields = *signOn->Fields();
  signOnFields.AddText(1, u"Title", 1, 1, u"SIGN ON");
  signOnFields.AddText(2, u"User", 3, 1, u"User:");
  signOnFields.AddEntry(3, u"User", 3, 11, 8);
  signOnFields.AddText(4, u"Password", 4, 1, u"Password:");
  signOnFields.AddEntry(5, u"Password", 4, 11, 8, StyleNoEcho);

  const auto picking = pages.Add(u"Picking");
  picking->SetPageNumber(2);
  Fields& pickingFields = *picking->Fields();
  pickingFields.AddText(1, u"Title", 1, 1, u"PICKING WAVE 0042 ZONE B");
  const auto descriptionField =
      pickingFields.Add(2, u"Desc", 2, 1, StyleFixed, FlagsBold, 240,
                        std::u16string(description.begin(), description.end()), u"", u"");
  descriptionField->SetForegroundColor(Yellow);
  descriptionField->SetBackgroundColor(Blue);
  pickingFields.AddText(3, u"Loc", 4, 1, u"Location:");
  pickingFields.AddEntry(4, u"Loc", 4, 11, 8, 0, 0, u"", u"AA-99-99");
  pickingFields.AddText(5, u"Qty", 5, 1, u"Quantity:");
  pickingFields.AddEntry(6, u"Qty", 5, 11, 5, StyleNum | StyleRJust, 0, u"99999");
  // "@B1E": the lot number is typed into a buffer of 30 behind 12 columns.
  pickingFields.AddEntry(7, u"Lot", 6, 11, 12, 0, 0, u"@B1E")
      ->SetData(u"LOT-2026-11-0042-A7-REWORKED");
  pickingFields.AddEntry(8, u"Part", 7, 11, 20)->AIAG(false, true, true, false, false, u"P");
  EXPECT_TRUE(SentMessages().empty());  // defining pages sends nothing

  signOn->Display(u"User");
  // Field: number, row, column (from 0) as value + 48; style and flags raw.
  const std::string signOnMessage =
      "7H"s
      "s1"  // select page 1
      "E"   // erase all
      "f1007SIGN ON"
      "f2205User:"
      "i32:\x03\x00"s
      "8"  // entry, 8 columns at row 2, column 10
      "f4309Password:"
      "i53:\x0B\x00"s
      "8"    // entry without echo
      "d1"   // display page 1
      "o3";  // open the user field
  EXPECT_EQ(SentMessages(), std::vector<std::string>{signOnMessage});

  picking->Display(u"Loc");
  const std::string first =
      "7H"s
      "s2"
      "E"
      "f100HPICKING WAVE 0042 ZONE B"
      // 240 columns: length code 21, 240 div 208, 240 mod 208.
      "i210\x01\x20!1P"
      "g2C34"  // yellow on blue
      "u2!1P" +
      description +
      "f3309Location:"
      "i43:\x03\x00"s
      "8"
      "v48AA-99-99"
      "f5409Quantity:"
      "i64:\x33\x00"s
      "5";  // numeric, right-justified entry
  // The hidden pattern would pass 350 bytes: it opens the second message.
  const std::string second =
      "7H"s
      "w6599999"
      "i75:\x03\x00"s
      "<"  // 12 columns shown
      "w74@B1E"
      "g7SN"  // buffer of 30
      "u7LLOT-2026-11-0042-A7-REWORKED"
      "i86:\x03\x00"s
      "D"
      "y851P"  // AIAG: no prefix shown, transmit when filled
      "d2"
      "o4";
  ASSERT_EQ(first.size(), 346u);
  EXPECT_EQ(SentMessages(), (std::vector<std::string>{first, second}));
}

}  // namespace
}  // namespace carrowin::testing_support
