#include "host/format/format_cases.h"

namespace carrowin::format_test {
namespace {

TEST(FormatExpressionWeekRuleTest, WeekdayCountsFromTheFirstDayOfTheWeek) {
  ExpectFormats({{u"1958-12-07", u"w", u"1"}, {u"1958-12-13", u"w", u"7"}});
  ExpectFormats({{u"1958-12-07", u"w", u"7"}, {u"1958-12-08", u"w", u"1"}},
                FirstDayOfWeek::kMonday);
  ExpectFormats({{u"1958-12-07", u"w", u"2"}, {u"1958-12-13", u"w", u"1"}},
                FirstDayOfWeek::kSaturday);
}

TEST(FormatExpressionWeekRuleTest, WeekOneHoldsJanuaryFirstByDefault) {
  ExpectFormats({
      {u"1958-12-07", u"ww", u"50"},
      {u"2000-01-01", u"ww", u"1"},  // a Saturday
      {u"2000-01-02", u"ww", u"2"},
      {u"2000-12-31", u"ww", u"54"},  // the longest year: January 1 on a Saturday, 366 days
      {u"2024-12-31", u"ww", u"53"},
  });
}

TEST(FormatExpressionWeekRuleTest, FirstFourDaysWithMondayGivesIsoWeeks) {
  ExpectFormats(
      {
          {u"2005-01-01", u"ww", u"53"},  // still in the last week of 2004
          {u"2008-12-29", u"ww", u"1"},   // already in week 1 of 2009
          {u"2009-12-31", u"ww", u"53"},
          {u"2010-01-03", u"ww", u"53"},
          {u"2010-01-04", u"ww", u"1"},
          {u"1958-12-07", u"ww", u"49"},
      },
      FirstDayOfWeek::kMonday, FirstWeekOfYear::kFirstFourDays);
}

TEST(FormatExpressionWeekRuleTest, FirstFullWeekStartsOnTheFirstWholeWeek) {
  ExpectFormats(
      {
          {u"2000-01-01", u"ww", u"52"},  // before the first full week of 2000
          {u"2000-01-02", u"ww", u"1"},
          {u"2000-12-31", u"ww", u"53"},
      },
      FirstDayOfWeek::kSunday, FirstWeekOfYear::kFirstFullWeek);
}

TEST(FormatExpressionWeekRuleTest, UnknownRuleValuesActAsTheDefaults) {
  ExpectFormats({{u"1958-12-07", u"w ww", u"1 50"}}, static_cast<FirstDayOfWeek>(0),
                static_cast<FirstWeekOfYear>(9));
}

}  // namespace
}  // namespace carrowin::format_test
