#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr std::u16string_view kEvening = u"1958-12-07 20:05:09";

constexpr FormatCase kTime[] = {
    {kEvening, u"h", u"20"},
    {u"08:05:09", u"hh", u"08"},
    {kEvening, u"n", u"5"},
    {kEvening, u"s", u"9"},
    {kEvening, u"ttttt", u"8:05:09 PM"},
    {u"20:50", u"hh:nn:ss", u"20:50:00"},
    {u"1958-12-07", u"hh:nn", u"00:00"},
    // "m" right after an hour means minutes.
    {kEvening, u"h:m", u"20:5"},
    {kEvening, u"hh \"h\" mm", u"20 h 05"},
    {kEvening, u"mm", u"12"},
    {kEvening, u"mm/dd hh:mm", u"12/07 20:05"},
    {kEvening, u"h mmm", u"20 Dec"},
    // Any AM/PM form, wherever it stands, makes the clock twelve-hour.
    {kEvening, u"h am/pm", u"8 pm"},
    {kEvening, u"h A/P", u"8 P"},
    {kEvening, u"h ampm", u"8 PM"},
    {kEvening, u"AM/PM h", u"PM 8"},
    {u"08:05", u"h:nn Am/pM", u"8:05 Am"},
    {u"00:30", u"hh:nn AM/PM", u"12:30 AM"},
    {u"12:00", u"hh:nn AM/PM", u"12:00 PM"},
    // Times as text and as fractions of a day, rounded to the second.
    {u"8:05 PM", u"hh:nn", u"20:05"},
    {u"12:30 am", u"hh:nn", u"00:30"},
    {u"0.75", u"hh:nn", u"18:00"},
    {u"0.999999", u"yyyy-mm-dd hh:nn:ss", u"1899-12-31 00:00:00"},
    {u"0.0000057", u"ss", u"00"},
    {u"0.0000058", u"ss", u"01"},
};

TEST(FormatExpressionTimeTest, Tokens) { ExpectFormats(kTime); }

}  // namespace carrowin::format_test
