#include "carrowin/automation/variant.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>

#include "carrowin/automation/utf.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

// A narrow or UTF-8 literal would otherwise become the Boolean True through
// the pointer-to-bool conversion: it must not compile.
static_assert(!std::is_constructible_v<Variant, const char*>);
static_assert(!std::is_convertible_v<const char*, Variant>);
static_assert(!std::is_constructible_v<Variant, const char8_t*>);
static_assert(!std::is_constructible_v<Variant, char*>);
static_assert(std::is_convertible_v<decltype(u"932"), Variant>);

using testing_support::ExpectError;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int32_t kMinLong = std::numeric_limits<int32_t>::min();

template <class T>
using Case = std::pair<Variant, T>;

using Conversion = void (*)(const Variant&);
constexpr Conversion kToLong = [](const Variant& value) { value.ToLong(); };
constexpr Conversion kToInteger = [](const Variant& value) { value.ToInteger(); };
constexpr Conversion kToDouble = [](const Variant& value) { value.ToDouble(); };
constexpr Conversion kToBoolean = [](const Variant& value) { value.ToBoolean(); };
constexpr Conversion kToString = [](const Variant& value) { value.ToString(); };

// Expects every one of `conversions` to refuse every one of `values`.
void ExpectRefused(std::initializer_list<Variant> values,
                   std::initializer_list<Conversion> conversions, int32_t number,
                   std::u16string_view description) {
  for (const Variant& value : values) {
    SCOPED_TRACE("value #" + std::to_string(&value - values.begin()));
    for (const Conversion convert : conversions)
      ExpectError([&] { convert(value); }, number, description);
  }
}

TEST(VariantTest, ToLongAndToIntegerRoundHalfToEvenAndReadNumbersInText) {
  // Too small for a Double is zero, not an overflow, whatever the digits.
  const Case<int32_t> longs[] = {
      {0.5, 0},       {1.5, 2},           {2.5, 2},          {2147483647.0, 2147483647},
      {-0.5, 0},      {-1.5, -2},         {-2.5, -2},        {-2147483648.5, kMinLong},
      {true, -1},     {Variant(), 0},     {u" 12 ", 12},     {u"-2147483648", kMinLong},
      {u"\t+7\t", 7}, {u"7.", 7},         {u"3.5", 4},       {u"&O37777777777", -1},
      {u".5", 0},     {u"&HFFFF", 65535}, {u"1.5E+3", 1500}, {u"&HFFFFFFFF", -1},
      {u"25e-1", 2},  {u"&H1F", 31},      {u"&h1f", 31},     {u"-123456.789e-330", 0},
      {u"&O17", 15},  {u"1e-400", 0},     {-3.5, -4},        {u"0e99999999999999999999", 0},
  };
  for (const auto& [in, out] : longs) EXPECT_EQ(in.ToLong(), out) << ToUtf8(in.ToString());
  EXPECT_EQ(Variant(u"&H000000001").ToLong(), 1);  // leading zeros are no overflow
  // Hexadecimal up to 16 bits is an Integer's bit pattern.
  const Case<int16_t> integers[] = {
      {32766.5, 32766}, {-32768.5, -32768},  {u"&H7FFF", 32767},
      {u"&HFFFF", -1},  {u"&HFFFFFFFF", -1},
  };
  for (const auto& [in, out] : integers) EXPECT_EQ(in.ToInteger(), out) << ToUtf8(in.ToString());
}

TEST(VariantTest, ToDoubleToBooleanAndToStringReadAndWriteTheAutomationForms) {
  EXPECT_EQ(Variant(u" -0.1E+1 ").ToDouble(), -1.0);
  EXPECT_EQ(Variant(u"1.7976931348623157e308").ToDouble(), std::numeric_limits<double>::max());
  const Case<bool> booleans[] = {
      {Variant(), false}, {-0.5, true},   {u"tRUE", true}, {u" FALSE ", false},
      {u"0.0", false},    {u"2.5", true}, {u"&H0", false}, {u"1e-400", false},
  };
  for (const auto& [in, out] : booleans) EXPECT_EQ(in.ToBoolean(), out) << ToUtf8(in.ToString());
  const Case<std::u16string> strings[] = {
      {Variant(), u""},    {true, u"True"},          {kMinLong, u"-2147483648"},
      {-0.0, u"0"},        {0.1 + 0.2, u"0.3"},      {2.0 / 3.0, u"0.666666666666667"},
      {1e15, u"1E+15"},    {0.00001, u"1E-05"},      {123456789012345.0, u"123456789012345"},
      {0.0001, u"0.0001"}, {kInfinity, u"Infinity"}, {-1.5e300, u"-1.5E+300"},
  };
  for (const auto& [value, expected] : strings) EXPECT_EQ(value.ToString(), expected);
}

TEST(VariantTest, RefusedConversionsRaiseTheAutomationErrors) {
  ExpectRefused({2147483647.5, -2147483649.0, std::numeric_limits<double>::quiet_NaN(),
                 u"2147483648", u"&H100000000", u"&HFFFFFFFFFFFFFFFFFFFF"},
                {kToLong}, errors::kOverflow, u"Overflow");
  ExpectRefused({32767.5, -32769.0, u"-32769", u"&H10000"}, {kToInteger}, errors::kOverflow,
                u"Overflow");
  // Text beyond a Double overflows every numeric conversion.
  ExpectRefused({u"1e400", u"0.00012e313", u"1e99999999999999999999"},
                {kToDouble, kToLong, kToInteger, kToBoolean}, errors::kOverflow, u"Overflow");
  ExpectRefused({u"", u" ", u"True", u"1,000", u"12abc", u"--1", u"1e", u"&H", u"&HG", u"&O8",
                 u"-&H1", u"0x1F", u"inf", u"\u0661"},
                {kToLong, kToDouble}, errors::kTypeMismatch, u"Type mismatch");
  ExpectRefused({u"yes", u"Truee"}, {kToBoolean}, errors::kTypeMismatch, u"Type mismatch");
  const auto object = std::make_shared<Object>();
  const std::vector<uint8_t> bytes = {0x52, 0x00, 0xFF};
  ExpectRefused({object, bytes}, {kToLong, kToInteger, kToDouble, kToBoolean, kToString},
                errors::kTypeMismatch, u"Type mismatch");
  ExpectRefused({Variant::Null()}, {kToLong, kToInteger, kToDouble, kToBoolean, kToString},
                errors::kInvalidUseOfNull, u"Invalid use of Null");
  EXPECT_EQ(Variant(object).ToObject(), object);
  EXPECT_EQ(Variant(bytes).ToByteArray(), bytes);
}

}  // namespace
}  // namespace carrowin
