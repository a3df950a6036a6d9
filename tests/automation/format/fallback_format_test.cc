#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kFallbacks[] = {
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

}  // namespace carrowin::format_test
