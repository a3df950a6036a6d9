#include <random>
#include <string>

#include "host/format/format_cases.h"

namespace carrowin::format_test {
namespace {

TEST(FormatExpressionFallbackTest, AnEmptyFormatReturnsTheDataExactly) {
  ExpectFormats({
      {u" 12.50 ", u"", u" 12.50 "},
      {u"1958-12-07", u"", u"1958-12-07"},
      {u"", u"", u""},
  });
}

TEST(FormatExpressionFallbackTest, ValuesThatDoNotSuitTheFormatComeBackUnchanged) {
  ExpectFormats({
      {u"abc", u"0.00", u"abc"},
      {u"abc", u"mm/dd/yyyy", u"abc"},
      {u"abc", u"Currency", u"abc"},
      {u"abc", u"General Number", u"abc"},
      {u"abc", u"Yes/No", u"abc"},
      {u"abc", u"Long Date", u"abc"},
      {u"", u"0.00", u""},
      {u"", u"Short Date", u""},
      {u"1,2.3.4", u"0", u"1,2.3.4"},
      {u"1e", u"0", u"1e"},
      {u"- 5", u"0", u"- 5"},
      {u"1e400", u"0", u"1e400"},         // beyond the range of numbers
      {u"2958466", u"yyyy", u"2958466"},  // beyond 9999-12-31
      {u"-657435", u"yyyy", u"-657435"},  // before 0100-01-01
  });
}

TEST(FormatExpressionFallbackTest, ImpossibleDatesAreText) {
  ExpectFormats({
      {u"2021-02-29", u"yyyy", u"2021-02-29"},
      {u"2000-02-30", u"0", u"2000-02-30"},
      {u"13/1/2000", u"yyyy", u"13/1/2000"},
      {u"25:00", u"hh:nn", u"25:00"},
      {u"13:00 PM", u"hh:nn", u"13:00 PM"},
      {u"10:60", u"hh:nn", u"10:60"},
      {u"0099-12-31", u"yyyy", u"0099-12-31"},
      {u"Smarch 3, 2000", u"yyyy", u"Smarch 3, 2000"},
      {u"2000-01-01 10:00 xx", u"yyyy", u"2000-01-01 10:00 xx"},
  });
}

TEST(FormatExpressionFallbackTest, StrangeFormatsShowWhatTheyCan) {
  ExpectFormats({
      {u"5", u"0\\", u"5"},        // a backslash at the end shows nothing
      {u"5", u"0\"abc", u"5abc"},  // an unclosed quote runs to the end
      {u"5", u";;;;;;", u"5"},
      {u"5", u",,,", u""},
      {u"5", u"%", u"%"},
      {u"-5", u"\"neg\"", u"-neg"},
      {u"5", u"E+", u"E+"},
      {u"ab", u"@!<>", u"AB"},
  });
}

// Formats built at random from the pieces of the language must never throw
// and, run under the sanitizers, never touch memory they should not.
TEST(FormatExpressionFallbackTest, RandomFormatsNeverFail) {
  static const std::u16string_view kPieces[] = {
      u"0",    u"#",     u".", u",", u"%", u"E+", u"e-",         u"E",     u"\\",
      u"\"",   u";",     u"@", u"&", u"<", u">",  u"!",          u"d",     u"m",
      u"y",    u"h",     u"n", u"s", u"w", u"q",  u"c",          u"AM/PM", u"a/p",
      u"AMPM", u"ttttt", u"/", u":", u"x", u" ",  u"\U0001F600", u"\xD800"};
  static const std::u16string_view kValues[] = {u"",
                                                u"0",
                                                u"-0.5",
                                                u"12345.678",
                                                u"1e308",
                                                u"-1e-300",
                                                u"1958-12-07 20:50:35",
                                                u"20:50",
                                                u"abc",
                                                u"\xDC00x",
                                                u"99999999999999999999.99999"};
  std::mt19937 random(20240607);
  for (int round = 0; round < 3000; ++round) {
    std::u16string format;
    const int length = static_cast<int>(random() % 12);
    for (int i = 0; i < length; ++i) format += kPieces[random() % std::size(kPieces)];
    for (const std::u16string_view value : kValues) {
      EXPECT_NO_THROW(FormatExpression(value, format, static_cast<FirstDayOfWeek>(random() % 9),
                                       static_cast<FirstWeekOfYear>(random() % 5)))
          << ToUtf8(format);
    }
  }
}

}  // namespace
}  // namespace carrowin::format_test
