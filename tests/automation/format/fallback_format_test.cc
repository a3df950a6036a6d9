#include <random>
#include <string>

#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kFallbacks[] = {
    {u" 12.50 ", u"", u" 12.50 "},  // an empty format returns the data exactly
    // Values that do not suit the format come back unchanged.
    {u"abc", u"0.00", u"abc"},
    {u"abc", u"Currency", u"abc"},
    {u"abc", u"Yes/No", u"abc"},
    {u",5", u"0", u",5"},
    {u"1,2.3.4", u"0", u"1,2.3.4"},
    {u"1e309", u"0", u"1e309"},         // beyond the range of numbers
    {u"2958466", u"yyyy", u"2958466"},  // beyond 9999-12-31
    // Impossible dates and times are text.
    {u"2021-02-29", u"yyyy", u"2021-02-29"},
    {u"25:00", u"hh:nn", u"25:00"},
    {u"13:00 PM", u"hh:nn", u"13:00 PM"},
    {u"0099-12-31", u"yyyy", u"0099-12-31"},
    {u"2000-01-01 10:00 xx", u"yyyy", u"2000-01-01 10:00 xx"},
    // Strange formats show what they can.
    {u"5", u"0\\", u"5"},        // a backslash at the end shows nothing
    {u"5", u"0\"abc", u"5abc"},  // an unclosed quote runs to the end
    {u"5", u"%", u"%"},          // without digit placeholders only the literals show
    {u"-5", u"\"neg\"", u"-neg"},
    {u"ab", u"@!<>", u"AB"},
};

TEST(FormatExpressionFallbackTest, UnsuitableValuesAndFormats) { ExpectFormats(kFallbacks); }

// Formats built at random from the pieces of the language must never throw
// and, under the sanitizers, never touch memory they should not.
TEST(FormatExpressionFallbackTest, RandomFormatsNeverFail) {
  constexpr std::u16string_view kPieces[] = {
      u"0",    u"#",     u".", u",", u"%", u"E+", u"e-",         u"E",     u"\\",
      u"\"",   u";",     u"@", u"&", u"<", u">",  u"!",          u"d",     u"m",
      u"y",    u"h",     u"n", u"s", u"w", u"q",  u"c",          u"AM/PM", u"a/p",
      u"AMPM", u"ttttt", u"/", u":", u"x", u" ",  u"\U0001F600", u"\xD800"};
  std::mt19937 random(20240607);
  for (int round = 0; round < 3000; ++round) {
    std::u16string format;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) {
      format += kPieces[random() % std::size(kPieces)];
    }
    for (const std::u16string_view value :
         {u"", u"0", u"-0.5", u"12345.678", u"1e308", u"-1e-300", u"20:50", u"abc", u"\xDC00x",
          u"1958-12-07 20:50:35", u"99999999999999999999.99999"}) {
      EXPECT_NO_THROW(FormatExpression(value, format, FirstDayOfWeek(random() % 9),
                                       FirstWeekOfYear(random() % 5)))
          << ToUtf8(format);
    }
  }
}

}  // namespace carrowin::format_test
