#include "automation/format/value_reader.h"

#include "automation/format/date_parser.h"

namespace carrowin::format {

std::optional<DecimalNumber> ReadNumber(std::u16string_view value) {
  if (auto number = DecimalNumber::Parse(value)) return number;
  if (const auto moment = ParseDateTime(value)) return moment->ToSerial();
  return std::nullopt;
}

std::optional<DateTime> ReadMoment(std::u16string_view value) {
  if (const auto number = DecimalNumber::Parse(value)) return DateTime::FromSerial(*number);
  return ParseDateTime(value);
}

}  // namespace carrowin::format
