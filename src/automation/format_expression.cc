#include "carrowin/automation/format_expression.h"

#include "automation/format/named_format.h"
#include "automation/format/user_defined_format.h"
#include "automation/format/value_reader.h"

namespace carrowin {

std::u16string FormatExpression(std::u16string_view value, std::u16string_view format,
                                FirstDayOfWeek firstDayOfWeek, FirstWeekOfYear firstWeekOfYear) {
  if (format.empty()) return std::u16string(value);
  const auto named = format::FindNamedFormat(format);
  if (!named || named->kind == format::NamedFormat::Kind::kUserDefined) {
    const format::UserDefinedFormat userDefined(named ? named->userDefined : format);
    return userDefined.Format(value, firstDayOfWeek, firstWeekOfYear);
  }
  const auto number = format::ReadNumber(value);
  if (!number) return std::u16string(value);
  if (named->kind == format::NamedFormat::Kind::kGeneralNumber) {
    return format::GeneralNumberText(*number);
  }
  return std::u16string(number->IsZero() ? named->zeroWord : named->nonZeroWord);
}

}  // namespace carrowin
