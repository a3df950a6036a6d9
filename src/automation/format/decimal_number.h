#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace carrowin::format {

/// A decimal number kept as the digits it was written with, so that rounding
/// works on those digits and never on a binary approximation.
///
/// The value is 0.d1d2d3... x 10^PointPosition(), with no leading or trailing
/// zero digit; zero has no digits.
class DecimalNumber {
 public:
  /// The number written in `text` (blanks, sign, digits with commas, decimal
  /// point, exponent), or nothing when the text is not a number or has more
  /// than kMaxIntegerDigits integer digits.
  static std::optional<DecimalNumber> Parse(std::u16string_view text);

  /// `whole` + `numerator` / `denominator`, with the fraction worked out to
  /// kQuotientDigits places; the sign is that of `whole`, or positive when
  /// `whole` is zero. `numerator` is below `denominator`.
  static DecimalNumber FromQuotient(int64_t whole, uint32_t numerator, uint32_t denominator);

  /// The most integer digits a number may have: the range of the classic
  /// double-precision value.
  static constexpr int64_t kMaxIntegerDigits = 309;
  static constexpr int kQuotientDigits = 20;

  bool IsZero() const { return digits_.empty(); }
  bool IsNegative() const { return negative_; }
  int64_t PointPosition() const { return point_; }
  /// The significant digits, as ASCII.
  const std::string& Digits() const { return digits_; }

  /// The same number without its sign.
  DecimalNumber Magnitude() const;

  /// The digits after the point, as a number without sign.
  DecimalNumber FractionPart() const;

  /// Multiplies by 10^places.
  void ShiftPoint(int64_t places);
  /// Rounds, half away from zero, keeping `keep` significant digits
  /// (counted from the first digit); keep <= 0 may leave zero or one unit of
  /// the first dropped place.
  void RoundToDigits(int64_t keep);
  /// Rounds, half away from zero, to `places` digits after the point.
  void RoundToFraction(int64_t places) { RoundToDigits(point_ + places); }
  /// Multiplies by a small factor.
  void MultiplyBy(uint32_t factor);

  /// The digits before the point, without leading zeros ("" below 1).
  std::string IntegerDigits() const;
  /// The digit `index` places after the point ('0' past the last digit).
  char FractionDigit(int64_t index) const;
  /// How many digits after the point are significant.
  int64_t FractionLength() const;
  /// The integer part as a number, for values below 10^18.
  int64_t IntegerValue() const;

 private:
  void Normalize();

  bool negative_ = false;
  std::string digits_;
  int64_t point_ = 0;
};

}  // namespace carrowin::format
