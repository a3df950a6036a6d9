#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "carrowin/host/object.h"

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
  Variant(std::shared_ptr<Object> value) : value_(std::move(value)) {}
  Variant(std::vector<uint8_t> value) : value_(std::move(value)) {}

  static Variant Null() { return Variant(NullValue{}); }

  Type GetType() const noexcept { return static_cast<Type>(value_.index()); }
  bool IsEmpty() const noexcept { return GetType() == Type::Empty; }
  bool IsNull() const noexcept { return GetType() == Type::Null; }

  /// Conversions by the automation rules. Numbers round half to even; a value
  /// outside the target range raises error 6 (overflow); a value with no
  /// conversion (an object, a non-numeric string, Null) raises error 13
  /// (type mismatch). Empty converts to 0, False and "".
  int32_t ToLong() const;
  int16_t ToInteger() const;
  double ToDouble() const;
  /// Numbers: non-zero is True. Strings: "True"/"False" in any case, or a
  /// numeric string.
  bool ToBoolean() const;
  /// True is "True", False is "False", numbers in their plain form ("12",
  /// "-0.5", "1E+20").
  std::u16string ToString() const;
  /// The byte array held; anything else raises error 13.
  const std::vector<uint8_t>& ToByteArray() const;
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
