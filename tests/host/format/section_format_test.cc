#include "host/format/format_cases.h"

namespace carrowin::format_test {
namespace {

TEST(FormatExpressionSectionsTest, SectionsServePositiveNegativeZeroAndEmpty) {
  ExpectFormats({
      {u"5", u"$#,##0;($#,##0)", u"$5"},
      {u"-5", u"$#,##0;($#,##0)", u"($5)"},
      {u"0", u"$#,##0;($#,##0)", u"$0"},
      {u"-5", u"$#,##0.00;($#,##0.00)", u"($5.00)"},
      {u"0.5", u"$#,##0.00;($#,##0.00)", u"$0.50"},
      {u"0", u"0.00;-0.00;\\Z\\e\\r\\o;\\N\\u\\l\\l", u"Zero"},
      {u"-0.0", u"0.00;-0.00;\\Z\\e\\r\\o;\\N\\u\\l\\l", u"Zero"},
      {u"", u"0.00;-0.00;\\Z\\e\\r\\o;\\N\\u\\l\\l", u"Null"},
      {u"", u"#,##0.00;;;Nil", u"Nil"},
      {u"5", u"#,##0.00;;;Nil", u"5.00"},
      {u"-5", u"#,##0.00;;;Nil", u"-5.00"},
      {u"0.5", u"#,##0.00;;;Nil", u"0.50"},
  });
}

TEST(FormatExpressionSectionsTest, EmptySectionsBorrowThePositiveOne) {
  ExpectFormats({
      {u"5", u"$#,##0;;\\Z\\e\\r\\o", u"$5"},
      {u"-5", u"$#,##0;;\\Z\\e\\r\\o", u"-$5"},
      {u"0", u"$#,##0;;\\Z\\e\\r\\o", u"Zero"},
      {u"0", u"0.0;(0.0)", u"0.0"},
      {u"0", u"0.0;(0.0);", u"0.0"},
      // An empty positive section shows the number without formatting.
      {u"5.25", u";(0)", u"5.25"},
  });
}

TEST(FormatExpressionSectionsTest, OnlyAnExactZeroTakesTheZeroSection) {
  ExpectFormats({
      {u"0.001", u"0.00;(0.00);\\Z", u"0.00"},
      {u"-0.001", u"0.00;(0.00);\\Z", u"(0.00)"},
      {u"0.000", u"0.00;(0.00);\\Z", u"Z"},
  });
}

TEST(FormatExpressionSectionsTest, QuotedAndEscapedSemicolonsDoNotSplit) {
  ExpectFormats({
      {u"5", u"0\";\"0", u"0;5"},
      {u"-5", u"0\\;", u"-5;"},
      {u"-5", u"0;(0);z;n;extra", u"(5)"},
  });
}

}  // namespace
}  // namespace carrowin::format_test
