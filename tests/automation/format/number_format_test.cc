#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kNumbers[] = {
    {u"5459.4", u"##,##0.00", u"5,459.40"},
    {u"-5", u"$#,##0", u"-$5"},
    // "0" shows a digit or a zero, "#" a digit or nothing; digits beyond the placeholders all show.
    {u"123456", u"00", u"123456"},
    {u"0", u"#", u""},
    {u"0.5", u"#.##", u".5"},
    {u"5", u"#.##", u"5."},
    // In the fraction every place up to the last "0" shows a digit, "#" or not.
    {u"1.2", u"0#.0#0#0#0#0", u"01.200000000"},
    // Literals among the placeholders; a second point is literal.
    {u"5551234", u"(###) ###-####", u"() 555-1234"},
    {u"1.5", u"0.0.0", u"1.5.0"},
    // Commas group between integer placeholders, scale by 1,000 after the last, else do nothing.
    {u"100000000", u"##0,,", u"100"},
    {u"123456789", u"#,##0,", u"123,457"},
    {u"1234567", u"#,,##0", u"1,234,567"},
    {u"0.5", u"0%%", u"5000%%"},  // each "%" multiplies by a hundred before rounding
    // Rounding works on the written digits, half away from zero, never on a binary value.
    {u"2.145", u"#.00", u"2.15"},
    {u"-2.5", u"0", u"-3"},
    {u"999.995", u"#,##0.00", u"1,000.00"},
    {u"12345678901234567890.125", u"0.00", u"12345678901234567890.13"},
    {u" 1,234.5 ", u"0.00", u"1234.50"},
    {u"1e-1000000000000", u"0.00", u"0.00"},
    // "E+" always signs the exponent, "E-" only when negative; the mantissa has as many
    // integer digits as the format has integer placeholders.
    {u"0.5", u"0.00E+00", u"5.00E-01"},
    {u"5", u"0.00E-00", u"5.00E00"},
    {u"9.999", u"0.00E+00", u"1.00E+01"},
    {u"12345.67", u"00.00E+00", u"12.35E+03"},
    // The exponent shows all its digits, at least as many as its "0" placeholders and at
    // least one; a "#" adds none.
    {u"1e308", u"0.0E+0", u"1.0E+308"},
    {u"29.123456789", u"0.#####E-#0#0", u"2.91235E01"},
    // Without a digit placeholder after it the exponent still shows, right after its sign.
    {u"1.7", u"0.0000e-1", u"1.7000e01"},
    {u"-500", u"0.0E-x", u"-5.0E2x"},
    {u"5", u"0 \\E+00", u"0 E+05"},  // an escaped letter is literal
    // Up to four sections: positive; negative; zero; empty value. Empty or missing sections
    // borrow the positive one, which adds the minus sign.
    {u"-5", u"$#,##0;($#,##0)", u"($5)"},
    {u"", u"0;;;\"none\"0", u"none"},  // the empty-value section shows its literals only
    {u"-5", u"#,##0.00;;;Nil", u"-5.00"},
    {u"5.25", u";(0)", u"5.25"},  // an empty positive section shows the plain number
    {u"-0", u"0;(0);\\Z", u"Z"},
    // The section is chosen before rounding: only an exact zero is zero.
    {u"-0.001", u"0.00;(0.00);\\Z", u"(0.00)"},
    // Quoted semicolons do not split; a fifth section is ignored.
    {u"5", u"0\";\"0", u"0;5"},
    {u"-5", u"0;(0);z;n;extra", u"(5)"},
    // Named formats, in any letter case. General Number: up to 15 significant digits, no
    // separators, scientific below 0.0001 and from 1E+15 up.
    {u"-12345.67", u"Currency", u"($12,345.67)"},
    {u"0.005", u"CURRENCY", u"$0.01"},
    {u"0.4567", u"Percent", u"45.67%"},
    {u"0.000123", u"Scientific", u"1.23E-04"},
    {u"0.00001", u"General Number", u"1E-05"},
    {u"12345678901234567890", u"General Number", u"1.23456789012346E+19"},
    {u"0.00", u"Yes/No", u"No"},  // two-word formats tell zero from any other number
    {u"20:50", u"General Date", u"8:50:00 PM"},
    {u"1958-12-07 20:50:35", u"Long Date", u"Sunday, December 7, 1958"},
    {u"1958-12-07 20:50:35", u"Medium Date", u"07-Dec-58"},
    {u"1958-12-07 08:05:09", u"Medium Time", u"08:05 AM"},
    {u"1958-12-07 20:50:35", u"Short Time", u"20:50"},
    {u"1958-12-07", u"short date", u"12/7/1958"},
};

TEST(FormatExpressionNumberTest, NumbersSectionsAndNamedFormats) { ExpectFormats(kNumbers); }

}  // namespace carrowin::format_test
