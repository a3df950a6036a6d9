// Text read as a number or a truth value by the automation conversions, as
// settings values and tags are. Input: the text (see FuzzInput::Text).

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "carrowin/automation/error.h"
#include "carrowin/automation/variant.h"
#include "support/fuzz_input.h"
#include "support/invariant.h"

namespace carrowin::fuzzing {
namespace {

// What a conversion gave: its value, or the number of the error it raised.
template <class T>
struct Outcome {
  std::optional<T> value;
  int32_t error = 0;
};

template <class T, class Convert>
Outcome<T> Attempt(Convert convert) {
  try {
    return {convert(), 0};
  } catch (const Error& error) {
    Check(error.Number() == errors::kOverflow || error.Number() == errors::kTypeMismatch,
          "text converts, overflows or is a type mismatch");
    return {std::nullopt, error.Number()};
  }
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// "&H..." and "&O..." are bit patterns, read differently by each width.
bool IsBitPattern(std::u16string_view text) {
  const size_t first = text.find_first_not_of(u" \t");
  return first != std::u16string_view::npos && text[first] == u'&';
}

bool IsTruthWord(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() != 4 && text.size() != 5) return false;
  std::u16string lower(text);
  for (char16_t& c : lower) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return lower == u"true" || lower == u"false";
}

// A whole number from a decimal number: the nearest one, a half to the even
// one; out of the type's range an overflow.
template <class Int>
void CheckRounding(const Outcome<Int>& whole, double number, const char* type) {
  constexpr double kLowest = std::numeric_limits<Int>::min();
  constexpr double kHighest = std::numeric_limits<Int>::max();
  if (!whole.value) {
    Check(whole.error == errors::kOverflow, type);
    Check(number < kLowest - 0.5 || number >= kHighest + 0.5, type);
    return;
  }
  const double difference = std::fabs(*whole.value - number);
  Check(difference < 0.5 || (difference == 0.5 && *whole.value % 2 == 0), type);
}

void CheckNumberText(const Outcome<double>& number, const Outcome<int32_t>& whole) {
  // What ToString shows reads back as the same Long, and as a Double to 15
  // significant digits; the largest doubles show rounded up past the range.
  if (whole.value) {
    Check(Variant(Variant(*whole.value).ToString()).ToLong() == *whole.value,
          "a Long's text reads back as the same Long");
  }
  const double value = *number.value;
  if (std::fabs(value) > 1.79769313486231e308) return;
  const double again = Variant(Variant(value).ToString()).ToDouble();
  Check(std::fabs(again - value) <= std::fabs(value) * 1e-14,
        "a Double's text reads back to 15 significant digits");
}

void ConvertText(const std::u16string& text) {
  const Variant variant(text);
  const auto number = Attempt<double>([&] { return variant.ToDouble(); });
  const auto whole = Attempt<int32_t>([&] { return variant.ToLong(); });
  const auto small = Attempt<int16_t>([&] { return variant.ToInteger(); });
  const auto truth = Attempt<bool>([&] { return variant.ToBoolean(); });

  if (!number.value) {
    // Not a number (or beyond a Double) for every width alike.
    Check(whole.error == number.error && small.error == number.error,
          "text that is no Double is no Long or Integer either");
    Check(IsTruthWord(text) ? truth.value.has_value() : truth.error == number.error,
          "text that is no number is a truth value only as True or False");
    return;
  }
  Check(std::isfinite(*number.value), "a number read from text is finite");
  Check(truth.value == (*number.value != 0), "a numeric text is True exactly when it is not zero");
  if (small.value) {
    Check(whole.value && static_cast<int16_t>(*whole.value) == *small.value,
          "an Integer holds the low bits of the same Long");
  }
  if (IsBitPattern(text)) {
    Check(whole.value && *number.value == *whole.value, "a bit pattern is the Long with its bits");
  } else {
    CheckRounding(whole, *number.value, "a Long is the Double rounded half to even");
    CheckRounding(small, *number.value, "an Integer is the Double rounded half to even");
  }
  CheckNumberText(number, whole);
}

}  // namespace
}  // namespace carrowin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  carrowin::fuzzing::FuzzInput input(data, size);
  carrowin::fuzzing::ConvertText(carrowin::fuzzing::FuzzInput::Text(input.TakeRest()));
  return 0;
}
