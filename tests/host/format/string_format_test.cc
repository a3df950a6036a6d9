#include "host/format/format_cases.h"

namespace carrowin::format_test {
namespace {

TEST(FormatExpressionStringTest, DocumentedExamples) {
  ExpectFormats({
      {u"HELLO", u"<", u"hello"},
      {u"This is it", u">", u"THIS IS IT"},
  });
}

TEST(FormatExpressionStringTest, PlaceholdersFillFromTheRightUnlessBang) {
  ExpectFormats({
      {u"ab", u"@@@@@", u"   ab"},
      {u"ab", u"&&&&&", u"ab"},
      {u"ab", u"!@@@@@", u"ab   "},
      {u"ab", u"@@@@@!", u"ab   "},
      {u"5551234567", u"(@@@) @@@-@@@@", u"(555) 123-4567"},
      {u"1234567", u"(@@@) @@@-@@@@", u"(   ) 123-4567"},
      {u"1234567", u"(&&&) &&&-&&&&", u"() 123-4567"},
      {u"1234567", u"!(@@@) @@@-@@@@", u"(123) 456-7   "},
      {u"12345", u"@@@-@@", u"123-45"},
  });
}

TEST(FormatExpressionStringTest, CharactersBeyondThePlaceholdersAreKept) {
  ExpectFormats({
      {u"abcd", u"@@", u"abcd"},
      {u"abcd", u"@-@", u"abc-d"},
      {u"abcd", u"!@-@", u"a-bcd"},
      {u"abcd", u"x@", u"xabcd"},
  });
}

TEST(FormatExpressionStringTest, CaseDirectivesChangeTheValueOnly) {
  ExpectFormats({
      {u"ab", u">@@@", u" AB"},
      {u"Ab", u"<\"X\"@@", u"Xab"},
      {u"aB", u"<>", u"AB"},
      {u"\u00e9a", u">", u"\u00c9A"},
      {u"\U00010400", u"<", u"\U00010428"},  // a letter outside the basic plane
      {u"12345", u">", u"12345"},
      {u"ab", u"\\<@@", u"<ab"},
  });
}

TEST(FormatExpressionStringTest, SurrogatePairsTakeOnePlaceholder) {
  ExpectFormats({
      {u"\U0001F600", u"@@", u" \U0001F600"},
      {u"a\U0001F600", u"@-@", u"a-\U0001F600"},
  });
}

TEST(FormatExpressionStringTest, TheSecondSectionServesEmptyValues) {
  ExpectFormats({
      {u"", u"@;\\(\\n\\o\\n\\e\\)", u"(none)"},
      {u"x", u"@;\\(\\n\\o\\n\\e\\)", u"x"},
      {u"", u"@@", u"  "},
      {u"", u">;", u""},
  });
}

TEST(FormatExpressionStringTest, WithoutPlaceholdersLiteralsComeFirst) {
  ExpectFormats({{u"abc", u"\"Name: \">", u"Name: ABC"}});
}

}  // namespace
}  // namespace carrowin::format_test
