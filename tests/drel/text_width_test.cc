#include "carrowin/drel/text_width.h"

#include <gtest/gtest.h>

#include <string>

namespace carrowin {
namespace {

TEST(TextWidth, CountsIdeographsAndFullwidthFormsTwiceWhenAsked) {
  EXPECT_EQ(DisplayWidth(u"\u4E00A\uFF21", false), 3);
  // Range bounds: double width from U+3000, AC00, F004, FE30 and FFE0 on.
  const std::u16string wide = u"\u3000\u9FFF\uAC00\uD7FF\uF004\uFAFF\uFE30\uFF6F\uFFE0\uFFE7";
  const std::u16string narrow = u"\u2FFF\uA000\uABFF\xD800\uF003\uFB00\uFE2F\uFF70\uFFDF\uFFE8";
  EXPECT_EQ(DisplayWidth(wide, true), 20);
  EXPECT_EQ(DisplayWidth(narrow, true), 10);
  EXPECT_TRUE(ContainsDoubleWidth(narrow + u'\uFFE7') && !ContainsDoubleWidth(narrow));
}

}  // namespace
}  // namespace carrowin
