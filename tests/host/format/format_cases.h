#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "carrowin/host/format_expression.h"
#include "carrowin/host/utf.h"

namespace carrowin::format_test {

/// One value, one format and the text they must give.
struct FormatCase {
  std::u16string_view value;
  std::u16string_view format;
  std::u16string_view expected;
};

/// Checks every case, naming the value and format of any that fails.
inline void ExpectFormats(std::initializer_list<FormatCase> cases,
                          FirstDayOfWeek first_day = FirstDayOfWeek::kSunday,
                          FirstWeekOfYear first_week = FirstWeekOfYear::kJan1) {
  for (const FormatCase& c : cases) {
    EXPECT_EQ(ToUtf8(FormatExpression(c.value, c.format, first_day, first_week)),
              ToUtf8(c.expected))
        << "value \"" << ToUtf8(c.value) << "\" with format \"" << ToUtf8(c.format) << "\"";
  }
}

}  // namespace carrowin::format_test
