#include "carrowin/drel/text_width.h"

#include <gtest/gtest.h>

namespace carrowin {
namespace {

TEST(DisplayWidth, CountsDoubleWidthCharactersTwiceWhenAsked) {
  const std::u16string text = u"\u4E00\u4E8CA";  // two ideographs, one Latin letter
  EXPECT_EQ(DisplayWidth(text, true), 5);
  EXPECT_EQ(DisplayWidth(text, false), 3);
  EXPECT_EQ(DisplayWidth(u"\uAC00\uFF21x\u00C0", true), 6);
  EXPECT_EQ(DisplayWidth(u"", true), 0);
}

TEST(IsDoubleWidth, FollowsTheRangeBounds) {
  for (char16_t code :
       {0x3000, 0x9FFF, 0xAC00, 0xD7FF, 0xF004, 0xFAFF, 0xFE30, 0xFF21, 0xFF6F, 0xFFE0, 0xFFE7}) {
    EXPECT_TRUE(IsDoubleWidth(code)) << std::hex << int{code};
  }
  for (char16_t code :
       {0x2FFF, 0xA000, 0xABFF, 0xD800, 0xF003, 0xFB00, 0xFE2F, 0xFF70, 0xFFDF, 0xFFE8, 0x00C0}) {
    EXPECT_FALSE(IsDoubleWidth(code)) << std::hex << int{code};
  }
}

TEST(ContainsDoubleWidth, FindsAnyDoubleWidthCharacter) {
  EXPECT_TRUE(ContainsDoubleWidth(u"\uFF21"));
  EXPECT_TRUE(ContainsDoubleWidth(u"abc\u3042"));
  EXPECT_FALSE(ContainsDoubleWidth(u"\u00C0"));
  EXPECT_FALSE(ContainsDoubleWidth(u""));
}

}  // namespace
}  // namespace carrowin
