#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kExponent[] = {
    // From the classic table: "E+" always signs the exponent, "E-" only when negative.
    {u"5", u"0.00E+00", u"5.00E+00"},
    {u"-5", u"0.00E+00", u"-5.00E+00"},
    {u"0.5", u"0.00E+00", u"5.00E-01"},
    {u"5", u"0.00E-00", u"5.00E00"},
    {u"0.5", u"0.00E-00", u"5.00E-01"},
    {u"12345.67", u"0.00e+00", u"1.23e+04"},
    {u"0.5", u"0.00e-00", u"5.00e-01"},
    // The mantissa has as many integer digits as the format has integer placeholders.
    {u"9.999", u"0.00E+00", u"1.00E+01"},
    {u"2.145E-3", u"0.00E+00", u"2.15E-03"},
    {u"0", u"0.00E+00", u"0.00E+00"},
    {u"12345.67", u"00.00E+00", u"12.35E+03"},
    {u"12345.67", u".00E+00", u".12E+05"},
    // The exponent shows all its digits, and at least one.
    {u"1e100", u"0.0E+0", u"1.0E+100"},
    {u"5", u"0.0E+000", u"5.0E+000"},
    {u"5", u"0.0E+#", u"5.0E+0"},
    // Without a digit placeholder after it, the letter is literal.
    {u"5", u"0E+", u"5E+"},
    {u"5", u"0 \\E+00", u"0 E+05"},
};

TEST(FormatExpressionExponentTest, Scientific) { ExpectFormats(kExponent); }

}  // namespace carrowin::format_test
