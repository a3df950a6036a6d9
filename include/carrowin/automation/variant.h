#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "carrowin/automation/object.h"

namespace carrowin {

/// The automation Variant: a value of one of a few types, converted between
/// them by the classic automation rules. Settings values, `Tag`s, collection
/// keys and inbound message data travel in it.
class Variant {
 public:
  enum class Type { Empty, Null, Boolean, Integer, Long, Double, String, Object, ByteArray };

  /// The Null value (distinct from Empty, the value of an unset Variant).
  struct NullValue {
    friend bool operator==(NullValue, NullValue) = default;
  };

  Variant() = default;
  Variant(NullValue) : value_(NullValue{}) {}
  Variant(bool value) : value_(value) {}
  Variant(int16_t value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(std::u16string value) : value_(std::move(value)) {}
  Variant(const char16_t* value) : value_(std::u16string(value)) {}
  /// A narrow or UTF-8 string literal is not a Variant: its encoding is
  /// unknown, and the language would otherwise turn the pointer into the
  /// Boolean True. Write `u"text"`.
  template <class Char>
  Variant(const Char*) = delete;
  Variant(std::shared_ptr<Object> value) : value_(std::move(value)) {}
  Variant(std::vector<uint8_t> value) : value_(std::move(value)) {}

  static Variant Null() { return Variant(NullValue{}); }

  Type GetType() const noexcept { return static_cast<Type>(value_.index()); }
  bool IsEmpty() const noexcept { return GetType() == Type::Empty; }
  bool IsNull() const noexcept { return GetType() == Type::Null; }

  /// Conversions by the automation rules. Numbers round half to even (2.5 is
  /// 2, 3.5 is 4, -2.5 is -2); a value outside the target range, or a string
  /// beyond the Double range ("1E400"), raises error 6 (overflow); an object,
  /// a byte array or a non-numeric string raises error 13 (type mismatch);
  /// Null raises error 94 (invalid use of Null). Empty converts to 0, False
  /// and "". True is -1 as a number.
  ///
  /// A numeric string is, between optional blanks (spaces, tabs): an
  /// optional sign, digits with an optional decimal point ('.', whatever the
  /// locale) and an optional exponent ("-1.5E+3"); or "&H" with hexadecimal
  /// or "&O" with octal digits, at most 32 bits, read as the bits of a Long
  /// ("&HFFFFFFFF" is -1; as an Integer, up to 16 bits are an Integer's bits,
  /// "&HFFFF" is -1). Thousands separators, currency signs and "True"/"False"
  /// are not numbers. A string too small for a Double is 0.
  int32_t ToLong() const;
  int16_t ToInteger() const;
  double ToDouble() const;
  /// Numbers: non-zero is True. Strings: "True"/"False" in any case (blanks
  /// around allowed), or a numeric string, True when non-zero.
  bool ToBoolean() const;
  /// True is "True", False is "False", Integer and Long in decimal, Double
  /// with up to 15 significant digits as automation shows it: "0.5",
  /// "-12.25", "0.3" for 0.1 + 0.2, exponent form from 1E+15 on and below
  /// 0.0001 ("1E+20", "1E-05"); "NaN", "Infinity", "-Infinity" for values
  /// automation never holds. A string is returned as it is.
  std::u16string ToString() const;
  /// The byte array held; anything else raises error 13. On a temporary
  /// Variant (`message->Data().ToByteArray()`) the array is moved out and
  /// returned by value, so a reference bound to the result stays valid.
  const std::vector<uint8_t>& ToByteArray() const&;
  std::vector<uint8_t> ToByteArray() &&;
  /// The object held (nullptr for Empty); anything else raises error 13.
  std::shared_ptr<Object> ToObject() const;

  /// Equal type and equal value; no conversion.
  friend bool operator==(const Variant& a, const Variant& b) = default;

 private:
  std::variant<std::monostate, NullValue, bool, int16_t, int32_t, double, std::u16string,
               std::shared_ptr<Object>, std::vector<uint8_t>>
      value_;
};

}  // namespace carrowin
