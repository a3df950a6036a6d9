#include "carrowin/automation/variant.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>

#include "automation/rounding.h"
#include "carrowin/automation/error.h"

namespace carrowin {

namespace {

constexpr std::u16string_view kSource = u"Variant";

[[noreturn]] void Raise(int32_t number) { RaiseError(number, kSource); }

// Exponents beyond this are far outside any double; clamping keeps the
// magnitude arithmetic below free of integer overflow.
constexpr int64_t kExponentClamp = 100000;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::u16string_view lowerWord) {
  if (text.size() != lowerWord.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != lowerWord[i]) return false;
  }
  return true;
}

// A numeric string: either a decimal number, or a hexadecimal/octal bit
// pattern of at most 32 bits, whose value is that of the Long with those bits
// ("&HFFFFFFFF" is -1), as for the literals of classic automation.
struct ParsedNumber {
  double value;
  std::optional<uint32_t> bits;
};

// "&H1F", "&O17" (after the '&'). Not numeric: nullopt; more than 32 bits:
// overflow.
std::optional<ParsedNumber> ParseRadix(std::u16string_view text) {
  if (text.size() < 2) return std::nullopt;
  const char16_t marker = text[0];
  const uint64_t radix = (marker == u'H' || marker == u'h')   ? 16
                         : (marker == u'O' || marker == u'o') ? 8
                                                              : 0;
  if (radix == 0) return std::nullopt;
  uint64_t value = 0;
  bool overflow = false;
  for (const char16_t c : text.substr(1)) {
    uint64_t digit;
    if (IsDigit(c)) {
      digit = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return std::nullopt;
    }
    if (digit >= radix) return std::nullopt;
    value = value * radix + digit;
    if (value > std::numeric_limits<uint32_t>::max()) {
      overflow = true;
      value = 0;  // keeps accumulating harmlessly while the rest is checked
    }
  }
  if (overflow) Raise(errors::kOverflow);
  const auto bits = static_cast<uint32_t>(value);
  return ParsedNumber{static_cast<double>(static_cast<int32_t>(bits)), bits};
}

// Decimal exponent of the leading significant digit of a mantissa such as
// "-0012.5" (1) or ".004" (-3); 0 for a zero, which never overflows.
int64_t LeadingMagnitude(std::string_view mantissa) {
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  const size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0;
  return first < point ? static_cast<int64_t>(point - first) - 1
                       : -static_cast<int64_t>(first - point);
}

// [sign] digits [. digits] [E [sign] digits], at least one mantissa digit.
// Not numeric: nullopt; beyond the double range: overflow; too small for a
// double: zero.
std::optional<ParsedNumber> ParseDecimal(std::u16string_view text) {
  std::string ascii;  // what from_chars reads: the text without a '+' sign
  size_t i = 0;
  const auto takeDigits = [&] {
    const size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ascii += static_cast<char>(text[i++]);
    return i - start;
  };
  // Skips an optional sign and keeps a '-'; true for '-'.
  const auto takeSign = [&] {
    if (i == text.size() || (text[i] != u'+' && text[i] != u'-')) return false;
    if (text[i++] == u'+') return false;
    ascii += '-';
    return true;
  };
  const bool negative = takeSign();
  size_t mantissaDigits = takeDigits();
  if (i < text.size() && text[i] == u'.') {
    ascii += '.';
    ++i;
    mantissaDigits += takeDigits();
  }
  if (mantissaDigits == 0) return std::nullopt;
  int64_t magnitude = LeadingMagnitude(ascii);
  if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
    ascii += 'e';
    ++i;
    const bool negativeExponent = takeSign();
    int64_t exponent = 0;
    const size_t exponentStart = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      ascii += static_cast<char>(text[i]);
      exponent = std::min(exponent * 10 + (text[i] - u'0'), kExponentClamp);
    }
    if (i == exponentStart) return std::nullopt;
    magnitude += negativeExponent ? -exponent : exponent;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0;
  const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (magnitude >= 0) Raise(errors::kOverflow);
    value = negative ? -0.0 : 0.0;
  } else if (error != std::errc{} || end != ascii.data() + ascii.size()) {
    return std::nullopt;
  }
  return ParsedNumber{value, std::nullopt};
}

// The number a string holds; a string that is no number is a type mismatch.
ParsedNumber NumberFromString(std::u16string_view text) {
  text = TrimBlanks(text);
  std::optional<ParsedNumber> parsed =
      !text.empty() && text.front() == u'&' ? ParseRadix(text.substr(1)) : ParseDecimal(text);
  if (!parsed) Raise(errors::kTypeMismatch);
  return *parsed;
}

template <class Int>
Int RoundToInt(double value) {
  if (!std::isfinite(value)) Raise(errors::kOverflow);
  const double rounded = RoundHalfToEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    Raise(errors::kOverflow);
  }
  return static_cast<Int>(rounded);
}

// Long or Integer. A hexadecimal or octal pattern that fits the type is
// taken as its bits ("&HFFFF" is an Integer -1 but a Long 65535); anything
// else is rounded half to even and must lie in the type's range.
template <class Int>
Int ToWholeNumber(const Variant& value) {
  if (value.GetType() != Variant::Type::String) return RoundToInt<Int>(value.ToDouble());
  const ParsedNumber number = NumberFromString(value.ToString());
  using Bits = std::make_unsigned_t<Int>;
  if (number.bits && *number.bits <= std::numeric_limits<Bits>::max()) {
    return static_cast<Int>(static_cast<Bits>(*number.bits));
  }
  return RoundToInt<Int>(number.value);
}

std::u16string FormatDouble(double value) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value > 0 ? u"Infinity" : u"-Infinity";
  if (value == 0) return u"0";  // no "-0"
  // 15 significant digits, the precision automation shows: 0.1 + 0.2 reads
  // "0.3". Exponent form from 1E+15 up and below 1E-04, as printf's %G.
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::u16string text;
  for (const char* p = buffer; p != result.ptr; ++p)
    text += static_cast<char16_t>(*p == 'e' ? 'E' : *p);
  return text;
}

}  // namespace

int32_t Variant::ToLong() const { return ToWholeNumber<int32_t>(*this); }

int16_t Variant::ToInteger() const { return ToWholeNumber<int16_t>(*this); }

double Variant::ToDouble() const {
  switch (GetType()) {
    case Type::Empty:
      return 0;
    case Type::Null:
      Raise(errors::kInvalidUseOfNull);
    case Type::Boolean:
      return std::get<bool>(value_) ? -1 : 0;
    case Type::Integer:
      return std::get<int16_t>(value_);
    case Type::Long:
      return std::get<int32_t>(value_);
    case Type::Double:
      return std::get<double>(value_);
    case Type::String:
      return NumberFromString(std::get<std::u16string>(value_)).value;
    case Type::Object:
    case Type::ByteArray:
      break;
  }
  Raise(errors::kTypeMismatch);
}

bool Variant::ToBoolean() const {
  switch (GetType()) {
    case Type::Empty:
      return false;
    case Type::Null:
      Raise(errors::kInvalidUseOfNull);
    case Type::Boolean:
      return std::get<bool>(value_);
    case Type::Integer:
    case Type::Long:
    case Type::Double:
      return ToDouble() != 0;
    case Type::String: {
      const std::u16string_view text = TrimBlanks(std::get<std::u16string>(value_));
      if (EqualsIgnoringAsciiCase(text, u"true")) return true;
      if (EqualsIgnoringAsciiCase(text, u"false")) return false;
      return NumberFromString(text).value != 0;
    }
    case Type::Object:
    case Type::ByteArray:
      break;
  }
  Raise(errors::kTypeMismatch);
}

std::u16string Variant::ToString() const {
  switch (GetType()) {
    case Type::Empty:
      return {};
    case Type::Null:
      Raise(errors::kInvalidUseOfNull);
    case Type::Boolean:
      return std::get<bool>(value_) ? u"True" : u"False";
    case Type::Integer:
    case Type::Long:
    case Type::Double:
      return FormatDouble(ToDouble());
    case Type::String:
      return std::get<std::u16string>(value_);
    case Type::Object:
    case Type::ByteArray:
      break;
  }
  Raise(errors::kTypeMismatch);
}

const std::vector<uint8_t>& Variant::ToByteArray() const& {
  if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&value_)) return *bytes;
  Raise(errors::kTypeMismatch);
}

std::vector<uint8_t> Variant::ToByteArray() && {
  if (auto* bytes = std::get_if<std::vector<uint8_t>>(&value_)) return std::move(*bytes);
  Raise(errors::kTypeMismatch);
}

std::shared_ptr<Object> Variant::ToObject() const {
  if (IsEmpty()) return nullptr;
  if (const auto* object = std::get_if<std::shared_ptr<Object>>(&value_)) return *object;
  Raise(errors::kTypeMismatch);
}

}  // namespace carrowin
