#include "carrowin/automation/utf.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace carrowin {
namespace {

constexpr char16_t kBad = 0xFFFD;

TEST(UtfTest, WellFormedTextRoundTripsAndIllFormedTextBecomesReplacementCharacters) {
  // The first and last character of each encoded length.
  const std::pair<std::u16string, std::string> cases[] = {
      {u"\u007F\u0080\u07FF\u0800\uFFFF", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
      {u"\U00010000\U0001F600\U0010FFFF", "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [utf16, utf8] : cases) {
    EXPECT_EQ(ToUtf8(utf16), utf8);
    EXPECT_EQ(FromUtf8(utf8), utf16);
  }
  // An unpaired surrogate, high or low, is one replacement character.
  EXPECT_EQ(ToUtf8(u"\xDE00 \xD800"), "\xEF\xBF\xBD \xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(u"\xD83D\xD83D\xDE00"), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
  // Stray continuation bytes, never-valid bytes, overlong forms, surrogates and
  // code points past U+10FFFF are replaced byte by byte; a cut-short sequence once.
  const std::pair<std::string, size_t> malformed[] = {
      {"\x80", 1},         {"\xFF\xFE", 2},     {"\xC0\x80", 2},         {"\xED\xA0\x80", 3},
      {"\xF0\x9F\x98", 1}, {"\xE0\x80\x80", 3}, {"\xF4\x90\x80\x80", 4},
  };
  for (const auto& [utf8, bad] : malformed) EXPECT_EQ(FromUtf8(utf8), std::u16string(bad, kBad));
  // Reading resumes at the next character that can start a sequence.
  EXPECT_EQ(FromUtf8("\xE2\x82\x41\xC3"), (std::u16string{kBad, u'A', kBad}));
  EXPECT_EQ(FromUtf8("\xC3\xC3\xA9"), (std::u16string{kBad, u'\u00E9'}));
}

}  // namespace
}  // namespace carrowin
