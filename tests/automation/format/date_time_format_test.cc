#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr std::u16string_view kMoment = u"1958-12-07 20:50:35";  // a Sunday

constexpr FormatCase kDateTime[] = {
    {kMoment, u"m/d/yy", u"12/7/58"},
    {kMoment, u"d-mmmm-yy", u"7-December-58"},
    {u"1958-03-05", u"dddddd", u"Wednesday, March 5, 1958"},
    {u"1958-03-05", u"y", u"64"},  // day of the year
    // "aaa" and "aaaa" are the weekday names of the conventions, which are US English.
    {u"1958-03-05", u"aaa", u"Wed"},
    {u"1958-03-05", u"aaaa", u"Wednesday"},
    {u"0", u"aaaa", u"Saturday"},  // enough to make a date format
    {kMoment, u"\"aaa\" \\aaa", u"aaa aaa"},
    {kMoment, u"h aa/p", u"8 ap"},  // shorter runs are literal, next to any AM/PM token
    // Tokens ignore letter case; "<" and ">" change the case of the whole result, the last
    // one winning.
    {kMoment, u"DD/MM/YYYY", u"07/12/1958"},
    {kMoment, u">mmm<", u"dec"},
    // "c" shows the date, the time or both, as the value holds them.
    {kMoment, u"c", u"12/7/1958 8:50:35 PM"},
    {u"08:05", u"c", u"8:05:00 AM"},
    // Numbers are date serials: day 0 is 1899-12-30, the fraction is the time of day.
    {u"0", u"mm/dd/yyyy", u"12/30/1899"},
    {u"-1.25", u"yyyy-mm-dd hh:nn", u"1899-12-29 06:00"},
    {u"-657434", u"yyyy-mm-dd", u"0100-01-01"},  // "yyyy" shows four digits at least
    {u"21526.99999999", u"yyyy-mm-dd hh:nn:ss", u"1958-12-08 00:00:00"},
    {u"1958-12-07", u"0", u"21526"},  // dates given to numeric formats are serials
    // The usual written forms; two-digit years up to 29 are in this century.
    {u"1/2/29", u"yyyy-mm-dd", u"2029-01-02"},
    {u"1/2/30", u"yyyy-mm-dd", u"1930-01-02"},
    {u"dec 7 1958 8:50 am", u"yyyy-mm-dd hh:nn", u"1958-12-07 08:50"},
    // "m" right after an hour means minutes; any AM/PM form makes the clock twelve-hour.
    {kMoment, u"h:m", u"20:50"},
    {kMoment, u"AM/PM h", u"PM 8"},
    {u"00:30", u"hh:nn AM/PM", u"12:30 AM"},
    {u"12:00", u"hh:nn AM/PM", u"12:00 PM"},
    // Times as text and as fractions of a day, rounded to the second.
    {u"8:05 PM", u"hh:nn", u"20:05"},
    {u"0.0000057", u"ss", u"00"},
    {u"0.0000058", u"ss", u"01"},
    // "w" counts from the first day of the week; by default week 1 holds January 1 and the
    // last days of December stay in their year.
    {kMoment, u"w", u"7", kMonday},
    {u"2000-12-31", u"ww", u"54"},  // the longest year: 366 days from a Saturday
    // Weeks of four days or more from Monday are the ISO weeks; days before the first full
    // week count in the last week of the year before.
    {u"2005-01-01", u"ww", u"53", kMonday, kFirstFourDays},
    {u"2008-12-29", u"ww", u"1", kMonday, kFirstFourDays},
    {u"2000-01-01", u"ww", u"52", kSunday, kFirstFullWeek},
};

TEST(FormatExpressionDateTimeTest, DatesTimesAndWeeks) { ExpectFormats(kDateTime); }

}  // namespace carrowin::format_test
