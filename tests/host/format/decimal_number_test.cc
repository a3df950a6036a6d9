#include "host/format/decimal_number.h"

#include <gtest/gtest.h>

namespace carrowin::format {
namespace {

DecimalNumber Number(std::u16string_view text) {
  const auto number = DecimalNumber::Parse(text);
  EXPECT_TRUE(number.has_value());
  return number.value_or(DecimalNumber::FromQuotient(0, 0, 1));
}

TEST(DecimalNumberTest, ParseKeepsSignificantDigitsAndThePoint) {
  struct Case {
    std::u16string_view text;
    std::string digits;
    int64_t point;
    bool negative;
  };
  for (const Case& c : std::initializer_list<Case>{
           {u"0012.3400", "1234", 2, false},
           {u"-0.005", "5", -2, true},
           {u"1,234,567", "1234567", 7, false},
           {u"1.5E+3", "15", 4, false},
           {u"-0", "", 0, false},
           {u"1e-1000000000000", "1", -999999999, false},
       }) {
    const DecimalNumber number = Number(c.text);
    EXPECT_EQ(number.Digits(), c.digits) << std::string(c.text.begin(), c.text.end());
    EXPECT_EQ(number.PointPosition(), c.point);
    EXPECT_EQ(number.IsNegative(), c.negative);
  }
}

TEST(DecimalNumberTest, ParseRejectsWhatIsNotANumber) {
  for (const std::u16string_view text :
       {u"", u" ", u"+", u".", u",5", u"5e", u"5e+", u"1.2.3", u"0x10", u"5 5", u"1e310"}) {
    EXPECT_FALSE(DecimalNumber::Parse(text).has_value()) << std::string(text.begin(), text.end());
  }
}

TEST(DecimalNumberTest, RoundingCarriesThroughNines) {
  DecimalNumber number = Number(u"99.96");
  number.RoundToFraction(1);
  EXPECT_EQ(number.Digits(), "1");
  EXPECT_EQ(number.PointPosition(), 3);

  number = Number(u"0.4");
  number.RoundToFraction(0);
  EXPECT_TRUE(number.IsZero());

  number = Number(u"0.0006");
  number.RoundToFraction(3);
  EXPECT_EQ(number.Digits(), "1");
  EXPECT_EQ(number.PointPosition(), -2);
}

TEST(DecimalNumberTest, QuotientsAndFractions) {
  const DecimalNumber third = DecimalNumber::FromQuotient(-2, 1, 3);
  EXPECT_TRUE(third.IsNegative());
  EXPECT_EQ(third.IntegerDigits(), "2");
  EXPECT_EQ(third.FractionLength(), DecimalNumber::kQuotientDigits);
  EXPECT_EQ(third.FractionDigit(19), '3');

  DecimalNumber fraction = Number(u"-12.75").FractionPart();
  EXPECT_FALSE(fraction.IsNegative());
  fraction.MultiplyBy(86400);
  EXPECT_EQ(fraction.IntegerValue(), 64800);
}

}  // namespace
}  // namespace carrowin::format
