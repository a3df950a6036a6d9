#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "automation/format/decimal_number.h"
#include "automation/format/format_lexer.h"

namespace carrowin::format {

/// One section of a user-defined numeric format ("#,##0.00", "0.00E+00",
/// "$#,##0;") laid out as digit placeholders, decimal point, exponent and
/// literal text, ready to show any number.
class NumericSection {
 public:
  explicit NumericSection(const LexedSection& section);

  /// Whether a section holds a "0" or "#" placeholder.
  static bool HasPlaceholder(const LexedSection& section);

  /// The characters that show nothing of their own in a section shown
  /// without a value (a "%" still shows).
  static constexpr std::u16string_view kTokenChars = u"0#.,<>!";

  /// Shows `magnitude` (its sign is ignored), after a "-" when `minus` is set.
  std::u16string Format(const DecimalNumber& magnitude, bool minus) const;

 private:
  enum class Kind { kLiteral, kIntegerDigit, kPoint, kFractionDigit, kExponent, kExponentDigit };
  struct Item {
    Kind kind;
    char16_t ch;  // the literal, the placeholder ('0' or '#') or the exponent letter
  };

  void Parse(const LexedSection& section);
  // Where the exponent ("E+", "E-", "e+", "e-") starts, or npos.
  static size_t FindExponent(const LexedSection& section);

  std::vector<Item> items_;
  int64_t integerPlaceholders_ = 0;
  int64_t fractionPlaceholders_ = 0;
  // Fraction places up to the last '0': each shows a digit, zero or not.
  int64_t fractionShown_ = 0;
  int64_t exponentZeros_ = 0;  // the exponent's '0' placeholders
  bool exponentPlus_ = false;
  bool scientific_ = false;
  bool grouping_ = false;
  int64_t powerOfTen_ = 0;  // from percent signs and scaling commas
};

}  // namespace carrowin::format
