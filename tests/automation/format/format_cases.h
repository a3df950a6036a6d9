#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string_view>

#include "carrowin/automation/format_expression.h"
#include "carrowin/automation/utf.h"

namespace carrowin::format_test {

using enum FirstDayOfWeek;
using enum FirstWeekOfYear;

/// One value, one format, the text they must give and the week rules to give it with.
struct FormatCase {
  std::u16string_view value;
  std::u16string_view format;
  std::u16string_view expected;
  FirstDayOfWeek firstDay = kSunday;
  FirstWeekOfYear firstWeek = kJan1;
};

/// Checks every case of a table, naming the value and format of any that fails.
inline void ExpectFormats(std::span<const FormatCase> cases) {
  for (const FormatCase& c : cases) {
    EXPECT_EQ(ToUtf8(FormatExpression(c.value, c.format, c.firstDay, c.firstWeek)),
              ToUtf8(c.expected))
        << "value \"" << ToUtf8(c.value) << "\" with format \"" << ToUtf8(c.format)
        << "\", week rules " << static_cast<int>(c.firstDay) << "/"
        << static_cast<int>(c.firstWeek);
  }
}

}  // namespace carrowin::format_test
