#include "carrowin/drel/right_to_left.h"

#include <gtest/gtest.h>

#include <tuple>

namespace carrowin {
namespace {

TEST(ReorderRightToLeft, ReordersRunsForALeftToRightDisplay) {
  // U+05D0, U+05D1 and U+05D2 are the Hebrew letters alef, bet and gimel.
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"ab\u05D0\u05D112", u"ab12\u05D1\u05D0"},
      {u"\u05D0\u05D1\u05D2", u"\u05D2\u05D1\u05D0"},  // all right-to-left: reversed whole
      // A number between Hebrew words keeps its digit order; the white space
      // before it in reading order travels with the run.
      {u"\u05D0 12 \u05D1", u"\u05D1  12\u05D0"},
      // Leading text and white space before the first right-to-left
      // character stay where they are.
      {u"a \u05D0xy", u"a xy\u05D0"},
      {u"x\uFE70\uFEFE", u"x\uFEFE\uFE70"}};  // the last Arabic presentation forms
  for (const auto& [text, expected] : cases) EXPECT_EQ(ReorderRightToLeft(text), expected);
  // The searches start from 1 below it and find nothing past the end.
  EXPECT_EQ(FindRightToLeftChar(u"a\u05D0", -9) + FindLeftToRightChar(u"a", INT32_MAX), 2);
}

TEST(ReorderRightToLeft, ClassifiesCharactersByTheirRangeBounds) {
  const std::tuple<bool (*)(char16_t), std::u16string_view, bool> cases[] = {
      // FE70 and FEFE, the last bounds, are in the reordering cases.
      {IsRightToLeftChar, u"\u0590\u06FF\u0750\u077F\uFB1D\uFDFF", true},
      {IsRightToLeftChar, u"\u058F\u0700\u074F\u0780\uFB1C\uFE6F\uFEFF", false},
      {IsWhiteSpaceChar, u"\f \u1680\u180E\u2000\u200A\u2028\u205F\u3000", true},
      {IsWhiteSpaceChar, u"\t\n\r\u00A0\u200B\u2029", false}};
  for (const auto& [is, characters, expected] : cases) {
    for (char16_t c : characters) EXPECT_EQ(is(c), expected) << std::hex << int{c};
  }
}

}  // namespace
}  // namespace carrowin
