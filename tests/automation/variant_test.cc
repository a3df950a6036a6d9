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
  for (const Variant& value : values)
    for (const Conversion convert : conversions)
      testing_support::ExpectError([&] { convert(value); }, number, description);
}

// Rounding and the range of decimal text are also checked by the fuzz target;
// these are the forms it cannot know the values of.
TEST(VariantTest, ToLongAndToIntegerRoundHalfToEvenAndReadNumbersInText) {
  // Too small for a Double is zero, not an overflow, whatever the digits;
  // leading zeros are no overflow either.
  const Case<int32_t> longs[] = {
      {2.5, 2},       {-2.5, -2},     {u"&HFFFFFFFF", -1}, {u"0e99999999999999999999", 0},
      {true, -1},     {Variant(), 0}, {u"&HFFFF", 65535},  {-2147483648.5, kMinLong},
      {u"\t+7\t", 7}, {u"7.", 7},     {u"1.5E+3", 1500},   {u"-123456.789e-330", 0},
      {u".5", 0},     {u"&h1f", 31},  {u"&H000000001", 1}, {u"&O37777777777", -1},
  };
  for (const auto& [in, out] : longs) EXPECT_EQ(in.ToLong(), out) << ToUtf8(in.ToString());
  // Hexadecimal up to 16 bits is an Integer's bit pattern.
  const Case<int16_t> integers[] = {{u"&H7FFF", 32767}, {u"&HFFFF", -1}, {u"&HFFFFFFFF", -1}};
  for (const auto& [in, out] : integers) EXPECT_EQ(in.ToInteger(), out) << ToUtf8(in.ToString());
}

TEST(VariantTest, ToBooleanAndToStringReadAndWriteTheAutomationForms) {
  const Case<bool> booleans[] = {{-0.5, true}, {u"tRUE", true}, {u" FALSE ", false}};
  for (const auto& [in, out] : booleans) EXPECT_EQ(in.ToBoolean(), out) << ToUtf8(in.ToString());
  const Case<std::u16string> strings[] = {
      {0.0001, u"0.0001"}, {true, u"True"},     {123456789012345.0, u"123456789012345"},
      {-0.0, u"0"},        {0.1 + 0.2, u"0.3"}, {kInfinity, u"Infinity"},
      {1e15, u"1E+15"},    {0.00001, u"1E-05"}, {-1.5e300, u"-1.5E+300"},
  };
  for (const auto& [value, expected] : strings) EXPECT_EQ(value.ToString(), expected);
}

TEST(VariantTest, RefusedConversionsRaiseTheAutomationErrors) {
  ExpectRefused({2147483647.5, std::numeric_limits<double>::quiet_NaN(), u"&H100000000"}, {kToLong},
                errors::kOverflow, u"Overflow");
  ExpectRefused({32767.5, -32769.0, u"&H10000"}, {kToInteger}, errors::kOverflow, u"Overflow");
  ExpectRefused({u"1e400"}, {kToDouble}, errors::kOverflow, u"Overflow");
  ExpectRefused(
      {u"", u"True", u"1,000", u"12abc", u"1e", u"&H", u"-&H1", u"0x1F", u"inf", u"\u0661"},
      {kToLong, kToDouble}, errors::kTypeMismatch, u"Type mismatch");
  ExpectRefused({std::make_shared<Object>(), std::vector<uint8_t>{0x52, 0x00, 0xFF}},
                {kToLong, kToInteger, kToDouble, kToBoolean, kToString}, errors::kTypeMismatch,
                u"Type mismatch");
  ExpectRefused({Variant::Null()}, {kToLong, kToInteger, kToDouble, kToBoolean, kToString},
                errors::kInvalidUseOfNull, u"Invalid use of Null");
}

}  // namespace
}  // namespace carrowin
