#include "carrowin/automation/format_expression.h"

#include "automation/format/named_format.h"
#include "automation/format/user_defined_format.h"
#include "automation/format/value_reader.h"

namespace carrowin {

std::u16string FormatExpression(std::u16string_view value, std::u16string_view format,
                                FirstDayOfWeek first_day_of_week,
                                FirstWeekOfYear first_week_of_year) {
  if (format.empty()) return std::u16string(value);
  const auto named = format::FindNamedFormat(format);
  if (!named || named->kind == format::NamedFormat::Kind::kUserDefined) {
    const format::UserDefinedFormat user_defined(named ? named->user_defined : format);
    return user_defined.Format(value, first_day_of_week, first_week_of_year);
  }
  const auto number = format::ReadNumber(value);
  if (!number) return std::u16string(value);
  if (named->kind == format::NamedFormat::Kind::kGeneralNumber) {
    return format::GeneralNumberText(*number);
  }
  return std::u16string(number->IsZero() ? named->zero_word : named->non_zero_word);
}

}  // namespace carrowin
