#include "automation/format/decimal_number.h"

#include <algorithm>

namespace carrowin::format {
namespace {

// Exponents beyond this cannot matter: any number that large is out of range
// and any number that small rounds to zero; saturating keeps sums in range.
constexpr int64_t kExponentLimit = 1'000'000'000;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::optional<DecimalNumber> DecimalNumber::Parse(std::u16string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  size_t i = begin;

  DecimalNumber number;
  if (i < end && (text[i] == u'+' || text[i] == u'-')) {
    number.negative_ = text[i] == u'-';
    ++i;
  }
  int64_t integerDigits = 0;
  bool anyDigit = false;
  for (; i < end; ++i) {
    if (IsDigit(text[i])) {
      number.digits_.push_back(static_cast<char>(text[i]));
      ++integerDigits;
      anyDigit = true;
    } else if (text[i] != u',' || !anyDigit) {
      break;
    }
  }
  if (i < end && text[i] == u'.') {
    for (++i; i < end && IsDigit(text[i]); ++i) {
      number.digits_.push_back(static_cast<char>(text[i]));
      anyDigit = true;
    }
  }
  if (!anyDigit) return std::nullopt;

  int64_t exponent = 0;
  if (i < end && (text[i] == u'E' || text[i] == u'e')) {
    ++i;
    bool negativeExponent = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
      negativeExponent = text[i] == u'-';
      ++i;
    }
    if (i == end || !IsDigit(text[i])) return std::nullopt;
    for (; i < end && IsDigit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i] - u'0'), kExponentLimit);
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != end) return std::nullopt;

  number.point_ = integerDigits + exponent;
  number.Normalize();
  if (number.point_ > kMaxIntegerDigits) return std::nullopt;
  return number;
}

DecimalNumber DecimalNumber::FromQuotient(int64_t whole, uint32_t numerator, uint32_t denominator) {
  DecimalNumber number;
  number.negative_ = whole < 0;
  // Through unsigned arithmetic so that the most negative value has a magnitude.
  const uint64_t magnitude =
      number.negative_ ? 0 - static_cast<uint64_t>(whole) : static_cast<uint64_t>(whole);
  number.digits_ = std::to_string(magnitude);
  number.point_ = static_cast<int64_t>(number.digits_.size());
  uint64_t remainder = denominator == 0 ? 0 : numerator % denominator;
  for (int i = 0; i < kQuotientDigits && remainder != 0; ++i) {
    remainder *= 10;
    number.digits_.push_back(static_cast<char>('0' + remainder / denominator));
    remainder %= denominator;
  }
  number.Normalize();
  return number;
}

DecimalNumber DecimalNumber::Magnitude() const {
  DecimalNumber copy = *this;
  copy.negative_ = false;
  return copy;
}

DecimalNumber DecimalNumber::FractionPart() const {
  DecimalNumber fraction = Magnitude();
  if (point_ > 0) {
    fraction.digits_.erase(0, static_cast<size_t>(point_));
    fraction.point_ = 0;
    fraction.Normalize();
  }
  return fraction;
}

void DecimalNumber::ShiftPoint(int64_t places) {
  if (!IsZero()) point_ += places;
}

void DecimalNumber::RoundToDigits(int64_t keep) {
  if (IsZero() || keep >= static_cast<int64_t>(digits_.size())) return;
  if (keep < 0) {
    digits_.clear();
    Normalize();
    return;
  }
  const bool roundUp = digits_[static_cast<size_t>(keep)] >= '5';
  digits_.resize(static_cast<size_t>(keep));
  if (roundUp) {
    size_t i = digits_.size();
    while (i > 0 && digits_[i - 1] == '9') digits_[--i] = '0';
    if (i == 0) {
      digits_.insert(digits_.begin(), '1');
      ++point_;
    } else {
      ++digits_[i - 1];
    }
  }
  Normalize();
}

void DecimalNumber::MultiplyBy(uint32_t factor) {
  uint64_t carry = 0;
  for (size_t i = digits_.size(); i > 0; --i) {
    const uint64_t product = static_cast<uint64_t>(digits_[i - 1] - '0') * factor + carry;
    digits_[i - 1] = static_cast<char>('0' + product % 10);
    carry = product / 10;
  }
  for (; carry != 0; carry /= 10) {
    digits_.insert(digits_.begin(), static_cast<char>('0' + carry % 10));
    ++point_;
  }
  Normalize();
}

std::string DecimalNumber::IntegerDigits() const {
  if (point_ <= 0) return {};
  std::string integer = digits_.substr(0, static_cast<size_t>(point_));
  integer.resize(static_cast<size_t>(point_), '0');
  return integer;
}

char DecimalNumber::FractionDigit(int64_t index) const {
  const int64_t position = point_ + index;
  if (index < 0 || position < 0 || position >= static_cast<int64_t>(digits_.size())) return '0';
  return digits_[static_cast<size_t>(position)];
}

int64_t DecimalNumber::FractionLength() const {
  return std::max<int64_t>(0, static_cast<int64_t>(digits_.size()) - point_);
}

int64_t DecimalNumber::IntegerValue() const {
  int64_t value = 0;
  for (const char digit : IntegerDigits().substr(0, 18)) value = value * 10 + (digit - '0');
  return negative_ ? -value : value;
}

void DecimalNumber::Normalize() {
  const size_t first = digits_.find_first_not_of('0');
  if (first == std::string::npos) {
    digits_.clear();
    negative_ = false;
    point_ = 0;
    return;
  }
  digits_.erase(0, first);
  point_ -= static_cast<int64_t>(first);
  digits_.erase(digits_.find_last_not_of('0') + 1);
}

}  // namespace carrowin::format
