// Format expressions as screens and settings use them. Input: a byte whose
// low three bits give the first day of the week and next two the first week
// of the year (values outside the constants included); then the value and
// the format (see FuzzInput::Text), separated by a 00 byte.

#include "carrowin/automation/format_expression.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "support/fuzz_input.h"
#include "support/invariant.h"

namespace carrowin::fuzzing {
namespace {

bool IsFirstDay(int value) { return value >= 1 && value <= 7; }
bool IsFirstWeek(int value) { return value >= 1 && value <= 3; }

std::u16string Format(std::u16string_view value, std::u16string_view format, int firstDay,
                      int firstWeek) {
  try {
    return FormatExpression(value, format, static_cast<FirstDayOfWeek>(firstDay),
                            static_cast<FirstWeekOfYear>(firstWeek));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    Check(false, "formatting never throws");
  }
  return {};
}

void FormatValue(std::u16string_view value, std::u16string_view format, int firstDay,
                 int firstWeek) {
  const std::u16string result = Format(value, format, firstDay, firstWeek);
  if (format.empty()) Check(result == value, "an empty format returns the value exactly");
  Check(!IsWellFormed(value) || !IsWellFormed(format) || IsWellFormed(result),
        "formatting never splits a surrogate pair");
  // Values outside the constants act as Sunday and as January 1.
  const int sunday = static_cast<int>(FirstDayOfWeek::kSunday);
  const int jan1 = static_cast<int>(FirstWeekOfYear::kJan1);
  if (!IsFirstDay(firstDay) || !IsFirstWeek(firstWeek)) {
    Check(result == Format(value, format, IsFirstDay(firstDay) ? firstDay : sunday,
                           IsFirstWeek(firstWeek) ? firstWeek : jan1),
          "an unknown first day or week acts as Sunday or January 1");
  }
}

}  // namespace
}  // namespace carrowin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using carrowin::fuzzing::FuzzInput;
  FuzzInput input(data, size);
  const uint8_t options = input.TakeByte();
  const std::u16string value = FuzzInput::Text(input.TakeUntil(0));
  const std::u16string format = FuzzInput::Text(input.TakeRest());
  carrowin::fuzzing::FormatValue(value, format, options & 0x07, (options >> 3) & 0x03);
  return 0;
}
