#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kWeekRules[] = {
    // "w" counts from the first day of the week (1958-12-07 is a Sunday).
    {u"1958-12-13", u"w", u"7"},
    {u"1958-12-07", u"w", u"7", kMonday},
    {u"1958-12-08", u"w", u"1", kMonday},
    {u"1958-12-07", u"w", u"2", kSaturday},
    // By default week 1 holds January 1 and the last days of December stay in their year.
    {u"1958-12-07", u"ww", u"50"},
    {u"2000-01-01", u"ww", u"1"},  // a Saturday
    {u"2000-01-02", u"ww", u"2"},
    {u"2000-12-31", u"ww", u"54"},  // the longest year: 366 days from a Saturday
    {u"2024-12-31", u"ww", u"53"},
    // Weeks of four days or more from Monday: the ISO weeks.
    {u"2005-01-01", u"ww", u"53", kMonday, kFirstFourDays},
    {u"2008-12-29", u"ww", u"1", kMonday, kFirstFourDays},
    {u"2009-12-31", u"ww", u"53", kMonday, kFirstFourDays},
    {u"2010-01-04", u"ww", u"1", kMonday, kFirstFourDays},
    // Days before the first full week count in the last week of the year before.
    {u"2000-01-01", u"ww", u"52", kSunday, kFirstFullWeek},
    {u"2000-01-02", u"ww", u"1", kSunday, kFirstFullWeek},
    {u"2000-12-31", u"ww", u"53", kSunday, kFirstFullWeek},
    // Unknown rule values act as the defaults.
    {u"1958-12-07", u"w ww", u"1 50", FirstDayOfWeek{0}, FirstWeekOfYear{9}},
};

TEST(FormatExpressionWeekRuleTest, WeekdayAndWeekNumbers) { ExpectFormats(kWeekRules); }

}  // namespace carrowin::format_test
