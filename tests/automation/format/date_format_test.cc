#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr std::u16string_view kMoment = u"1958-12-07 20:50:35";  // a Sunday

constexpr FormatCase kDateTokens[] = {
    {kMoment, u"m/d/yy", u"12/7/58"},
    {kMoment, u"d-mmmm-yy", u"7-December-58"},
    {kMoment, u"hh:mm AM/PM", u"08:50 PM"},
    {kMoment, u"h:mm:ss a/p", u"8:50:35 p"},
    {u"1958-03-05", u"ddd", u"Wed"},
    {u"1958-03-05", u"dddd", u"Wednesday"},
    {u"1958-03-05", u"ddddd", u"3/5/1958"},
    {u"1958-03-05", u"dddddd", u"Wednesday, March 5, 1958"},
    // "aaa" and "aaaa" are the weekday names of the conventions, which are US English.
    {u"1958-03-05", u"aaa", u"Wed"},
    {u"1958-03-05", u"aaaa", u"Wednesday"},
    {kMoment, u"AAAA d", u"Sunday 7"},
    {kMoment, u">aaa", u"SUN"},
    {u"0", u"aaaa", u"Saturday"},  // enough to make a date format
    {kMoment, u"\"aaa\" \\aaa", u"aaa aaa"},
    {kMoment, u"h aa/p", u"8 ap"},  // shorter runs are literal, next to any AM/PM token
    {u"1958-03-05", u"ddddddd", u"Wednesday, March 5, 19585"},
    {u"1958-03-05", u"mmm", u"Mar"},
    {u"1958-03-05", u"q", u"1"},
    {u"1958-03-05", u"y", u"64"},  // day of the year
    {u"1958-03-05", u"yyy", u"5864"},
    {u"2005-03-05", u"yy", u"05"},
    // Tokens ignore letter case; quoted and escaped letters are literal.
    {kMoment, u"DD/MM/YYYY", u"07/12/1958"},
    {kMoment, u"\"Day\" d", u"Day 7"},
    {kMoment, u"\\d\\a\\y d", u"day 7"},
    // "<" and ">" change the case of the whole result, the last one winning.
    {kMoment, u">mmm", u"DEC"},
    {kMoment, u">mmm<", u"dec"},
    // "c" shows the date, the time or both, as the value holds them.
    {kMoment, u"c", u"12/7/1958 8:50:35 PM"},
    {u"1958-12-07", u"c", u"12/7/1958"},
    {u"08:05", u"c", u"8:05:00 AM"},
    {u"0", u"c", u"12:00:00 AM"},
};

constexpr FormatCase kDateValues[] = {
    // Numbers are date serials: day 0 is 1899-12-30, the fraction is the time of day.
    {u"0", u"mm/dd/yyyy", u"12/30/1899"},
    {u"-1.25", u"yyyy-mm-dd hh:nn", u"1899-12-29 06:00"},
    {u"2958465", u"yyyy-mm-dd", u"9999-12-31"},
    {u"-657434", u"yyyy-mm-dd", u"0100-01-01"},  // "yyyy" shows four digits at least
    {u"21526.99999999", u"yyyy-mm-dd hh:nn:ss", u"1958-12-08 00:00:00"},
    // Dates given to numeric formats are serials.
    {u"1958-12-07", u"0", u"21526"},
    {u"1899-12-30 18:00", u"0.00", u"0.75"},
    // The usual written forms; two-digit years up to 29 are in this century.
    {u"12/7/1958 8:50:35 PM", u"yyyy-mm-dd hh:nn:ss", u"1958-12-07 20:50:35"},
    {u"1/2/29", u"yyyy-mm-dd", u"2029-01-02"},
    {u"1/2/30", u"yyyy-mm-dd", u"1930-01-02"},
    {u"December 7, 1958", u"yyyy-mm-dd", u"1958-12-07"},
    {u"dec 7 1958 8:50 am", u"yyyy-mm-dd hh:nn", u"1958-12-07 08:50"},
    {u"1958-12-07T20:50", u"yyyy-mm-dd hh:nn", u"1958-12-07 20:50"},
    {u" 2024-02-29 ", u"dddd", u"Thursday"},
};

TEST(FormatExpressionDateTest, Tokens) { ExpectFormats(kDateTokens); }
TEST(FormatExpressionDateTest, ValuesReadAsDates) { ExpectFormats(kDateValues); }

}  // namespace carrowin::format_test
