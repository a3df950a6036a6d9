#include "host/format/format_cases.h"

namespace carrowin::format_test {
namespace {

TEST(FormatExpressionNumericTest, DocumentedExamples) {
  ExpectFormats({
      {u"5459.4", u"##,##0.00", u"5,459.40"},
      {u"334.9", u"###0.00", u"334.90"},
      {u"5", u"0.00%", u"500.00%"},
      // The classic table of 5, -5 and 0.5.
      {u"5", u"0", u"5"},
      {u"-5", u"0", u"-5"},
      {u"0.5", u"0", u"1"},
      {u"5", u"0.00", u"5.00"},
      {u"-5", u"0.00", u"-5.00"},
      {u"0.5", u"0.00", u"0.50"},
      {u"5", u"#,##0", u"5"},
      {u"-5", u"#,##0", u"-5"},
      {u"0.5", u"#,##0", u"1"},
      {u"5", u"0%", u"500%"},
      {u"-5", u"0%", u"-500%"},
      {u"0.5", u"0%", u"50%"},
      {u"-5", u"0.00%", u"-500.00%"},
      {u"0.5", u"0.00%", u"50.00%"},
  });
}

TEST(FormatExpressionNumericTest, RoundsTheWrittenDigitsHalfAwayFromZero) {
  ExpectFormats({
      {u"2.145", u"#.00", u"2.15"},  // 2.145 is 2.14499... in binary
      {u"1.005", u"0.00", u"1.01"},
      {u"0.125", u"0.00", u"0.13"},
      {u"-2.5", u"0", u"-3"},
      {u"2.4999", u"0", u"2"},
      {u"999.995", u"#,##0.00", u"1,000.00"},
      {u"12345678901234567890.125", u"0.00", u"12345678901234567890.13"},
      {u"0.0001", u"0.00", u"0.00"},
      {u"-0.001", u"0.00", u"-0.00"},
  });
}

TEST(FormatExpressionNumericTest, PlaceholdersShowDigitsZerosOrNothing) {
  ExpectFormats({
      {u"5", u"00000", u"00005"},
      {u"123456", u"00", u"123456"},
      {u"1234567", u"#,##0", u"1,234,567"},
      {u"1234567", u"0", u"1234567"},
      {u"-1234567.891", u"#,##0.00", u"-1,234,567.89"},
      {u"0", u"#,##0", u"0"},
      {u"0", u"#", u""},
      {u"0.5", u"#.##", u".5"},
      {u"5", u"#.##", u"5."},
      {u"5.1", u"0.0#", u"5.1"},
      {u"5.1", u"0.#0", u"5.10"},
      {u"5.10", u"0.##", u"5.1"},
      {u"5", u"0,000", u"0,005"},
      {u"1234", u".00", u"1234.00"},
  });
}

TEST(FormatExpressionNumericTest, LiteralsSitAmongThePlaceholders) {
  ExpectFormats({
      {u"123456789", u"000-00-0000", u"123-45-6789"},
      {u"5551234", u"(###) ###-####", u"() 555-1234"},
      {u"-5", u"$#,##0", u"-$5"},
      {u"5", u"0\" units\"", u"5 units"},
      {u"5", u"\\#0\\%", u"#5%"},
      {u"5", u"+0 kg", u"+5 kg"},
      {u"1.5", u"0.0.0", u"1.5.0"},
  });
}

TEST(FormatExpressionNumericTest, CommasGroupOrScale) {
  ExpectFormats({
      {u"100000000", u"##0,,", u"100"},
      {u"499999", u"##0,,", u"0"},
      {u"123456789", u"#,##0,", u"123,457"},
      {u"1234567", u"0,,.0", u"1.2"},
      {u"1234567", u"0,.00", u"1234.57"},
      {u"1234567", u"#,,##0", u"1,234,567"},
      {u"1234567", u",0", u"1234567"},
      {u"1234.5678", u"0.00,00", u"1234.5678"},
  });
}

TEST(FormatExpressionNumericTest, PercentMultipliesByAHundredEachTime) {
  ExpectFormats({
      {u"0.256", u"0%", u"26%"},
      {u"0.5", u"0%%", u"5000%%"},
      {u"1", u"%0", u"%100"},
  });
}

TEST(FormatExpressionNumericTest, ReadsTheUsualNumberForms) {
  ExpectFormats({
      {u"+5", u"0.0", u"5.0"},
      {u" 1,234.5 ", u"0.00", u"1234.50"},
      {u"1.5e3", u"0", u"1500"},
      {u"25E-2", u"0.00", u"0.25"},
      {u"-.5", u"0.0", u"-0.5"},
      {u"5.", u"0.0", u"5.0"},
      {u"-0", u"0;(0);\\Z", u"Z"},
      {u"1e-400", u"0.00", u"0.00"},
  });
}

}  // namespace
}  // namespace carrowin::format_test
