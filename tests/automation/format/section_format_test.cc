#include "automation/format/format_cases.h"

namespace carrowin::format_test {

// Up to four sections: positive; negative; zero; empty value.
constexpr FormatCase kSections[] = {
    {u"-5", u"$#,##0;($#,##0)", u"($5)"},
    {u"0.5", u"$#,##0;($#,##0)", u"$1"},
    {u"0", u"0.00;-0.00;\\Z\\e\\r\\o;\\N\\u\\l\\l", u"Zero"},
    {u"", u"0.00;-0.00;\\Z\\e\\r\\o;\\N\\u\\l\\l", u"Null"},
    {u"", u"0;;;\"none\"0", u"none"},  // the empty-value section shows its literals only
    // Empty or missing sections borrow the positive one, which adds the minus sign.
    {u"-5", u"#,##0.00;;;Nil", u"-5.00"},
    {u"0", u"0.0;(0.0)", u"0.0"},
    {u"5.25", u";(0)", u"5.25"},  // an empty positive section shows the plain number
    // The section is chosen before rounding: only an exact zero is zero.
    {u"0.001", u"0.00;(0.00);\\Z", u"0.00"},
    {u"-0.001", u"0.00;(0.00);\\Z", u"(0.00)"},
    {u"0.000", u"0.00;(0.00);\\Z", u"Z"},
    {u"-0.001", u"0.00", u"-0.00"},
    // Quoted and escaped semicolons do not split; a fifth section is ignored.
    {u"5", u"0\";\"0", u"0;5"},
    {u"-5", u"0\\;", u"-5;"},
    {u"-5", u"0;(0);z;n;extra", u"(5)"},
};

TEST(FormatExpressionSectionsTest, SectionServesTheValue) { ExpectFormats(kSections); }

}  // namespace carrowin::format_test
