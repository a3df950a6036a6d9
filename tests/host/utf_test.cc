#include "carrowin/host/utf.h"

#include <gtest/gtest.h>

#include <string>

namespace carrowin {
namespace {

TEST(UtfTest, WellFormedTextRoundTrips) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"", ""},
      {u"Qty 12", "Qty 12"},
      {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
      {u"\u007F\u0080", "\x7F\xC2\x80"},
      {u"\u00E9\u07FF", "\xC3\xA9\xDF\xBF"},
      {u"\u0800\u20AC\uFFFF", "\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF"},
      {u"\U00010000\U0001F600\U0010FFFF", "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [utf16, utf8] : cases) {
    EXPECT_EQ(ToUtf8(utf16), utf8);
    EXPECT_EQ(FromUtf8(utf8), utf16);
  }
}

TEST(UtfTest, UnpairedSurrogatesBecomeReplacementCharacters) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {{u'a', char16_t{0xD800}}, "a\xEF\xBF\xBD"},
      {{char16_t{0xDC00}, u'b'},
       "\xEF\xBF\xBD"
       "b"},
      {{char16_t{0xD83D}, u'x', char16_t{0xDE00}}, "\xEF\xBF\xBDx\xEF\xBF\xBD"},
      {{char16_t{0xDE00}, char16_t{0xD83D}}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {{char16_t{0xD83D}, char16_t{0xD83D}, char16_t{0xDE00}}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const auto& [utf16, utf8] : cases) {
    EXPECT_EQ(ToUtf8(utf16), utf8);
  }
}

TEST(UtfTest, MalformedUtf8BecomesReplacementCharacters) {
  constexpr char16_t kBad = 0xFFFD;
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"\x80", {kBad}},                                // stray continuation byte
      {"\xFF\xFE", {kBad, kBad}},                      // never valid
      {"\xC0\x80", {kBad, kBad}},                      // overlong NUL
      {"\xC1\xBF", {kBad, kBad}},                      // overlong 0x7F
      {"\xE0\x80\x80", {kBad, kBad, kBad}},            // overlong three-byte form
      {"\xF0\x80\x80\x80", {kBad, kBad, kBad, kBad}},  // overlong four-byte form
      {"\xED\xA0\x80", {kBad, kBad, kBad}},            // surrogate U+D800
      {"\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},  // U+110000
      {"\xF5\x80\x80\x80", {kBad, kBad, kBad, kBad}},  // lead beyond U+10FFFF
      {"\xE2\x82", {kBad}},                            // truncated at the end
      {"\xF0\x9F\x98", {kBad}},                        // truncated four-byte form
      {"\xE2\x82"
       "A\xC3",
       {kBad, u'A', kBad}},                 // truncated, then ASCII resumes
      {"\xC3\xC3\xA9", {kBad, u'\u00E9'}},  // a lead cut short by another lead
  };
  for (const auto& [utf8, utf16] : cases) {
    EXPECT_EQ(FromUtf8(utf8), utf16);
  }
}

}  // namespace
}  // namespace carrowin
