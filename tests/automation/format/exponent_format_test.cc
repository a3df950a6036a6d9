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
    // The exponent shows all its digits, at least as many as its "0" placeholders and at
    // least one; a "#" adds none.
    {u"1e100", u"0.0E+0", u"1.0E+100"},
    {u"5", u"0.0E+000", u"5.0E+000"},
    {u"5", u"0.0E+#", u"5.0E+0"},
    {u"5", u"0.0E+0#", u"5.0E+0"},
    {u"29.123456789", u"0.#####E-#0#0", u"2.91235E01"},
    {u"1e-100", u"0.0E+#0#0", u"1.0E-100"},
    // Without a digit placeholder after it the exponent still shows, right after its sign.
    {u"1.7", u"0.0000e-1", u"1.7000e01"},
    {u"5", u"0E+", u"5E+0"},
    {u"12345.67", u"0.00E+", u"1.23E+4"},
    {u"0.05", u"0.0E+", u"5.0E-2"},
    {u"-500", u"0.0E-x", u"-5.0E2x"},
    {u"0.05", u"0.0e- \\0", u"5.0e-2 0"},
    // Escaped letters are literal, and a section without placeholders shows only its literals.
    {u"5", u"0 \\E+00", u"0 E+05"},
    {u"5", u"E+", u"E+"},
    {u"5", u"\"x\"e-", u"xe-"},
};

TEST(FormatExpressionExponentTest, Scientific) { ExpectFormats(kExponent); }

}  // namespace carrowin::format_test
