#include "carrowin/drel/right_to_left.h"

#include <gtest/gtest.h>

#include <string>

namespace carrowin {
namespace {

constexpr char16_t kAlef = 0x05D0;
constexpr char16_t kBet = 0x05D1;
constexpr char16_t kGimel = 0x05D2;

TEST(ReorderRightToLeft, ReordersRunsForALeftToRightDisplay) {
  struct Case {
    std::u16string text;
    std::u16string expected;
  };
  const Case cases[] = {
      {{u'a', u'b', kAlef, kBet, u'1', u'2'}, {u'a', u'b', u'1', u'2', kBet, kAlef}},
      // All right-to-left: reversed whole.
      {{kAlef, kBet, kGimel}, {kGimel, kBet, kAlef}},
      {{kAlef, u' ', kBet}, {kBet, u' ', kAlef}},
      // No right-to-left character: unchanged.
      {u"plain text 12", u"plain text 12"},
      {u"", u""},
      // A number between Hebrew words keeps its digit order; the white space
      // that came before it in reading order travels with the run.
      {{kAlef, u' ', u'1', u'2', u' ', kBet}, {kBet, u' ', u' ', u'1', u'2', kAlef}},
      // Arabic presentation forms count as right-to-left too.
      {{u'x', 0xFE8D, 0xFE8F}, {u'x', 0xFE8F, 0xFE8D}},
      // Leading text and white space before the first right-to-left
      // character stay where they are.
      {{u'a', u' ', kAlef, u'x', u'y'}, {u'a', u' ', u'x', u'y', kAlef}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReorderRightToLeft(c.text), c.expected);
  }
}

TEST(RightToLeftChar, CoversTheHebrewAndArabicBlocks) {
  for (char16_t code : {0x0590, 0x05FF, 0x0600, 0x06FF, 0x0750, 0x077F, 0xFB1D, 0xFB4F, 0xFB50,
                        0xFDFF, 0xFE70, 0xFEFE}) {
    EXPECT_TRUE(IsRightToLeftChar(code)) << std::hex << int{code};
  }
  for (char16_t code : {0x058F, 0x0700, 0x074F, 0x0780, 0xFB1C, 0xFE6F, 0xFEFF, 0x0041}) {
    EXPECT_FALSE(IsRightToLeftChar(code)) << std::hex << int{code};
  }
}

TEST(WhiteSpaceChar, IsTheListedSpacesOnly) {
  for (char16_t code : {0x000C, 0x0020, 0x1680, 0x180E, 0x2000, 0x200A, 0x2028, 0x205F, 0x3000}) {
    EXPECT_TRUE(IsWhiteSpaceChar(code)) << std::hex << int{code};
  }
  for (char16_t code : {0x0009, 0x000A, 0x000D, 0x00A0, 0x200B, 0x2029, 0x0041}) {
    EXPECT_FALSE(IsWhiteSpaceChar(code)) << std::hex << int{code};
  }
}

TEST(FindChar, SearchesFromAOneBasedStart) {
  const std::u16string text{u'a', u' ', kAlef, u' ', u'b'};
  EXPECT_EQ(FindRightToLeftChar(text, 1), 3);
  EXPECT_EQ(FindRightToLeftChar(text, 3), 3);
  EXPECT_EQ(FindRightToLeftChar(text, 4), 0);
  EXPECT_EQ(FindLeftToRightChar(text, 1), 1);
  EXPECT_EQ(FindLeftToRightChar(text, 2), 5);
  // Starts outside the text.
  EXPECT_EQ(FindRightToLeftChar(text, 0), 3);
  EXPECT_EQ(FindRightToLeftChar(text, -100), 3);
  EXPECT_EQ(FindLeftToRightChar(text, 6), 0);
  EXPECT_EQ(FindLeftToRightChar(text, INT32_MAX), 0);
  EXPECT_EQ(FindRightToLeftChar(u"", 1), 0);
}

TEST(ReverseRange, ReversesInclusiveRangeCutToTheText) {
  struct Case {
    int32_t from;
    int32_t to;
    std::u16string expected;
  };
  const Case cases[] = {
      {2, 4, u"adcbe"},  {1, 5, u"edcba"},  {3, 3, u"abcde"}, {4, 2, u"abcde"},
      {-3, 2, u"bacde"}, {4, 99, u"abced"}, {6, 9, u"abcde"}, {INT32_MIN, INT32_MAX, u"edcba"},
  };
  for (const Case& c : cases) {
    std::u16string text = u"abcde";
    ReverseRange(text, c.from, c.to);
    EXPECT_EQ(text, c.expected) << c.from << ".." << c.to;
  }
}

}  // namespace
}  // namespace carrowin
