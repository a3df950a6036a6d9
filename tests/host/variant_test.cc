#include "carrowin/host/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "carrowin/host/error.h"
#include "carrowin/host/utf.h"
#include "host/expect_error.h"

namespace carrowin {
namespace {

struct ToLongCase {
  Variant value;
  int32_t expected;
};

TEST(VariantTest, ToLongRoundsHalfToEvenAndReadsStrings) {
  const ToLongCase cases[] = {
      {0.5, 0},
      {1.5, 2},
      {2.5, 2},
      {3.5, 4},
      {2.4999, 2},
      {2.5001, 3},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {-3.5, -4},
      {-2.6, -3},
      {2147483647.0, 2147483647},
      {2147483646.5, 2147483646},
      {-2147483648.5, std::numeric_limits<int32_t>::min()},
      {Variant(), 0},
      {true, -1},
      {false, 0},
      {int16_t{-32768}, -32768},
      {u" 12 ", 12},
      {u"\t+7\t", 7},
      {u"-2.5", -2},
      {u"3.5", 4},
      {u".5", 0},
      {u"7.", 7},
      {u"1.5E+3", 1500},
      {u"25e-1", 2},
      {u"-2147483648", std::numeric_limits<int32_t>::min()},
      {u"&H1F", 31},
      {u"&h1f", 31},
      {u"&O17", 15},
      {u"&HFFFF", 65535},
      {u"&HFFFFFFFF", -1},
      {u"&O37777777777", -1},
      {u"&H000000001", 1},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(value.ToLong(), expected) << ToUtf8(value.ToString());
  }
}

TEST(VariantTest, ToLongOverflowsOutsideTheLongRange) {
  const Variant cases[] = {
      2147483647.5,   -2147483649.0,
      1e300,          std::numeric_limits<double>::infinity(),
      std::nan(""),   u"2147483648",
      u"-2147483649", u"1e400",
      u"&H100000000", u"&HFFFFFFFFFFFFFFFFFFFF",
  };
  for (const Variant& value : cases) {
    const Error error = RaisedBy([&] { value.ToLong(); });
    EXPECT_EQ(error.Number(), errors::kOverflow) << ToUtf8(value.ToString());
    EXPECT_EQ(error.Description(), u"Overflow");
    EXPECT_EQ(error.Source(), u"Variant");
  }
}

TEST(VariantTest, NonNumericStringsAreATypeMismatch) {
  const char16_t* const cases[] = {
      u"",    u" ",    u"True", u"false", u"abc",  u"1,000", u"12abc", u"1 2", u"- 1",
      u"--1", u"+",    u".",    u"1e",    u"1e+",  u"e5",    u"&",     u"&H",  u"&HG",
      u"&O8", u"&H-1", u"-&H1", u"&X1",   u"0x1F", u"inf",   u"nan",   u"$5",  u"\u0661",
  };
  for (const char16_t* text : cases) {
    const Variant value(text);
    const Error error = RaisedBy([&] { value.ToLong(); });
    EXPECT_EQ(error.Number(), errors::kTypeMismatch) << ToUtf8(text);
    EXPECT_EQ(error.Description(), u"Type mismatch");
    EXPECT_EQ(RaisedBy([&] { value.ToDouble(); }).Number(), errors::kTypeMismatch);
  }
}

TEST(VariantTest, ToIntegerChecksTheIntegerRange) {
  EXPECT_EQ(Variant(int32_t{32767}).ToInteger(), 32767);
  EXPECT_EQ(Variant(int32_t{-32768}).ToInteger(), -32768);
  EXPECT_EQ(Variant(32766.5).ToInteger(), 32766);
  EXPECT_EQ(Variant(-32768.5).ToInteger(), -32768);
  EXPECT_EQ(Variant(u"-32768").ToInteger(), -32768);
  EXPECT_EQ(Variant(true).ToInteger(), -1);
  // Hexadecimal up to 16 bits is an Integer's bit pattern.
  EXPECT_EQ(Variant(u"&HFFFF").ToInteger(), -1);
  EXPECT_EQ(Variant(u"&H7FFF").ToInteger(), 32767);
  EXPECT_EQ(Variant(u"&HFFFFFFFF").ToInteger(), -1);

  const Variant overflows[] = {int32_t{32768}, int32_t{-32769}, 32767.5,    -32769.0,
                               u"32768",       u"-32769",       u"&H10000", u"1e400"};
  for (const Variant& value : overflows) {
    EXPECT_EQ(RaisedBy([&] { value.ToInteger(); }).Number(), errors::kOverflow)
        << ToUtf8(value.ToString());
  }
}

TEST(VariantTest, ToDoubleReadsNumbersAndStrings) {
  EXPECT_EQ(Variant(true).ToDouble(), -1.0);
  EXPECT_EQ(Variant(int32_t{-7}).ToDouble(), -7.0);
  EXPECT_EQ(Variant(u" -1.5E+3 ").ToDouble(), -1500.0);
  EXPECT_EQ(Variant(u"0.1").ToDouble(), 0.1);
  EXPECT_EQ(Variant(u"&HFFFFFFFF").ToDouble(), -1.0);
  EXPECT_EQ(Variant(u"1.7976931348623157e308").ToDouble(), std::numeric_limits<double>::max());
  // Too small for a Double is zero, not an overflow, whatever the digits.
  EXPECT_EQ(Variant(u"1e-400").ToDouble(), 0.0);
  EXPECT_EQ(Variant(u"-123456.789e-330").ToDouble(), 0.0);
  EXPECT_EQ(Variant(u"0e99999999999999999999").ToDouble(), 0.0);
  EXPECT_EQ(RaisedBy([] { Variant(u"-1e400").ToDouble(); }).Number(), errors::kOverflow);
  EXPECT_EQ(RaisedBy([] { Variant(u"0.00012e313").ToDouble(); }).Number(), errors::kOverflow);
  EXPECT_EQ(RaisedBy([] { Variant(u"1e99999999999999999999").ToDouble(); }).Number(),
            errors::kOverflow);
}

TEST(VariantTest, ToBooleanAcceptsWordsAndNumbers) {
  const struct {
    Variant value;
    bool expected;
  } cases[] = {
      {Variant(), false}, {int16_t{0}, false}, {int32_t{2}, true}, {0.0, false},
      {-0.5, true},       {u"True", true},     {u"tRUE", true},    {u" FALSE ", false},
      {u"0", false},      {u"0.0", false},     {u"2.5", true},     {u"-1", true},
      {u"&H0", false},    {u"1e-400", false},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(value.ToBoolean(), expected) << ToUtf8(value.ToString());
  }
  EXPECT_EQ(RaisedBy([] { Variant(u"yes").ToBoolean(); }).Number(), errors::kTypeMismatch);
  EXPECT_EQ(RaisedBy([] { Variant(u"Truee").ToBoolean(); }).Number(), errors::kTypeMismatch);
  EXPECT_EQ(RaisedBy([] { Variant(u"1e400").ToBoolean(); }).Number(), errors::kOverflow);
}

TEST(VariantTest, ToStringWritesTheAutomationForm) {
  const struct {
    Variant value;
    std::u16string expected;
  } cases[] = {
      {Variant(), u""},
      {true, u"True"},
      {false, u"False"},
      {int16_t{-5}, u"-5"},
      {int32_t{2147483647}, u"2147483647"},
      {std::numeric_limits<int32_t>::min(), u"-2147483648"},
      {7.0, u"7"},
      {0.5, u"0.5"},
      {-12.25, u"-12.25"},
      {0.1 + 0.2, u"0.3"},
      {-0.0, u"0"},
      {123456789012345.0, u"123456789012345"},
      {1e15, u"1E+15"},
      {1e20, u"1E+20"},
      {-1.5e300, u"-1.5E+300"},
      {0.0001, u"0.0001"},
      {0.00001, u"1E-05"},
      {2.0 / 3.0, u"0.666666666666667"},
      {std::numeric_limits<double>::infinity(), u"Infinity"},
      {u" as is ", u" as is "},
  };
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(value.ToString(), expected);
  }
}

TEST(VariantTest, NullIsAnInvalidUseOfNull) {
  const Variant null = Variant::Null();
  const std::function<void()> conversions[] = {
      [&] { null.ToLong(); },    [&] { null.ToInteger(); }, [&] { null.ToDouble(); },
      [&] { null.ToBoolean(); }, [&] { null.ToString(); },
  };
  for (const auto& convert : conversions) {
    const Error error = RaisedBy(convert);
    EXPECT_EQ(error.Number(), errors::kInvalidUseOfNull);
    EXPECT_EQ(error.Description(), u"Invalid use of Null");
  }
  EXPECT_EQ(RaisedBy([&] { null.ToObject(); }).Number(), errors::kTypeMismatch);
}

TEST(VariantTest, ObjectsAndByteArraysConvertOnlyToThemselves) {
  const auto object = std::make_shared<Object>();
  const std::vector<uint8_t> bytes = {0x52, 0x00, 0xFF};
  const Variant objectValue(object);
  const Variant bytesValue(bytes);
  for (const Variant* value : {&objectValue, &bytesValue}) {
    EXPECT_EQ(RaisedBy([&] { value->ToLong(); }).Number(), errors::kTypeMismatch);
    EXPECT_EQ(RaisedBy([&] { value->ToInteger(); }).Number(), errors::kTypeMismatch);
    EXPECT_EQ(RaisedBy([&] { value->ToDouble(); }).Number(), errors::kTypeMismatch);
    EXPECT_EQ(RaisedBy([&] { value->ToBoolean(); }).Number(), errors::kTypeMismatch);
    EXPECT_EQ(RaisedBy([&] { value->ToString(); }).Number(), errors::kTypeMismatch);
  }
  EXPECT_EQ(objectValue.ToObject(), object);
  EXPECT_EQ(bytesValue.ToByteArray(), bytes);
  EXPECT_EQ(Variant().ToObject(), nullptr);
  EXPECT_EQ(RaisedBy([&] { objectValue.ToByteArray(); }).Number(), errors::kTypeMismatch);
  EXPECT_EQ(RaisedBy([&] { bytesValue.ToObject(); }).Number(), errors::kTypeMismatch);
  EXPECT_EQ(RaisedBy([] { Variant(u"1").ToByteArray(); }).Number(), errors::kTypeMismatch);
}

}  // namespace
}  // namespace carrowin
