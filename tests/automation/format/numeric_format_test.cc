#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kPlaceholders[] = {
    {u"5459.4", u"##,##0.00", u"5,459.40"},
    {u"334.9", u"###0.00", u"334.90"},
    {u"5", u"0.00%", u"500.00%"},
    // From the classic table of 5, -5 and 0.5.
    {u"-5", u"0", u"-5"},
    {u"0.5", u"0", u"1"},
    {u"0.5", u"0.00", u"0.50"},
    {u"-5", u"#,##0", u"-5"},
    {u"0.5", u"0%", u"50%"},
    {u"-5", u"0.00%", u"-500.00%"},
    // "0" shows a digit or a zero, "#" a digit or nothing; digits beyond the placeholders all show.
    {u"5", u"00000", u"00005"},
    {u"123456", u"00", u"123456"},
    {u"0", u"#", u""},
    {u"0.5", u"#.##", u".5"},
    {u"5", u"#.##", u"5."},
    {u"5.10", u"0.##", u"5.1"},
    // In the fraction every place up to the last "0" shows a digit; a "#" after it drops
    // trailing zeros only.
    {u"1.2", u"0#.0#0#0#0#0", u"01.200000000"},
    {u"5", u"0.#0", u"5.00"},
    {u"5.1", u"0.#0", u"5.10"},
    {u"0", u"#.#0", u".00"},
    {u"1.2", u"0.0#0##", u"1.200"},
    {u"1.23406", u"0.0#0##", u"1.23406"},
    {u"1.2340", u"0.0#0##", u"1.234"},
    {u"5", u"0.#0E+00", u"5.00E+00"},
    {u"5", u"0,000", u"0,005"},
    {u"1234", u".00", u"1234.00"},
    // Literals among the placeholders; a second point is literal.
    {u"123456789", u"000-00-0000", u"123-45-6789"},
    {u"5551234", u"(###) ###-####", u"() 555-1234"},
    {u"-5", u"$#,##0", u"-$5"},
    {u"5", u"\\#0\\%", u"#5%"},
    {u"1.5", u"0.0.0", u"1.5.0"},
    {u"5", u"<0>!", u"5"},  // case and fill directives mean nothing to numbers
};

constexpr FormatCase kScaling[] = {
    // Commas group between integer placeholders, scale by 1,000 after the last, else do nothing.
    {u"100000000", u"##0,,", u"100"},
    {u"499999", u"##0,,", u"0"},
    {u"123456789", u"#,##0,", u"123,457"},
    {u"1234567", u"0,,.0", u"1.2"},
    {u"1234567", u"#,,##0", u"1,234,567"},
    {u"1234567", u",0", u"1234567"},
    {u"1234.5678", u"0.00,00", u"1234.5678"},
    // Each "%" multiplies by a hundred before rounding.
    {u"0.256", u"0%", u"26%"},
    {u"0.5", u"0%%", u"5000%%"},
};

// Rounding works on the written digits, half away from zero, never on a binary value.
constexpr FormatCase kRounding[] = {
    {u"2.145", u"#.00", u"2.15"},
    {u"-2.5", u"0", u"-3"},
    {u"2.4999", u"0", u"2"},
    {u"999.995", u"#,##0.00", u"1,000.00"},
    {u"0.0006", u"0.000", u"0.001"},
    {u"12345678901234567890.125", u"0.00", u"12345678901234567890.13"},
    {u"0.0001", u"0.00", u"0.00"},
};

constexpr FormatCase kNumberForms[] = {
    {u"+5", u"0.0", u"5.0"},
    {u" 1,234.5 ", u"0.00", u"1234.50"},
    {u"1.5e3", u"0", u"1500"},
    {u"-.5", u"0.0", u"-0.5"},
    {u"-0", u"0;(0);\\Z", u"Z"},
    {u"1e-1000000000000", u"0.00", u"0.00"},
    {u"1e308", u"0.0E+0", u"1.0E+308"},
};

TEST(FormatExpressionNumericTest, Placeholders) { ExpectFormats(kPlaceholders); }
TEST(FormatExpressionNumericTest, CommasAndPercentScale) { ExpectFormats(kScaling); }
TEST(FormatExpressionNumericTest, Rounding) { ExpectFormats(kRounding); }
TEST(FormatExpressionNumericTest, NumberForms) { ExpectFormats(kNumberForms); }

}  // namespace carrowin::format_test
