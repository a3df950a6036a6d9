#pragma once

#include <optional>
#include <string_view>

#include "automation/format/date_time.h"
#include "automation/format/decimal_number.h"

namespace carrowin::format {

/// The value as a number: a number as written, or a date as its serial.
std::optional<DecimalNumber> ReadNumber(std::u16string_view value);

/// The value as a moment: a number as a date serial, or a date as written.
std::optional<DateTime> ReadMoment(std::u16string_view value);

}  // namespace carrowin::format
