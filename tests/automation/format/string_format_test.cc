#include "automation/format/format_cases.h"

namespace carrowin::format_test {

constexpr FormatCase kString[] = {
    {u"This is it", u">", u"THIS IS IT"},
    // Placeholders fill from the right unless "!": "@" shows a blank, "&" nothing.
    {u"ab", u"@@@@@", u"   ab"},
    {u"ab", u"&&&&&", u"ab"},
    {u"ab", u"!@@@@@", u"ab   "},
    {u"1234567", u"!(@@@) @@@-@@@@", u"(123) 456-7   "},
    // A value longer than the placeholders fills them from the left; the characters beyond
    // follow the whole result, or with "!" the last placeholder.
    {u"testing", u"@\\x", u"txesting"},
    {u"abcd", u"@-@", u"a-bcd"},
    {u"abcd", u"(&&)", u"(ab)cd"},
    {u"abcd", u"!(@@)", u"(abcd)"},
    {u"a\U0001F600", u"@-@", u"a-\U0001F600"},  // a surrogate pair is one character
    {u"\U0001F600", u"@@", u" \U0001F600"},
    // "<" and ">" change the value, not the literals; the last one wins.
    {u"ab", u">@@@", u" AB"},
    {u"\U00010400", u"<", u"\U00010428"},    // a letter outside the basic plane
    {u"abc", u"\"Name: \">", u"Name: ABC"},  // without placeholders the literals come first
    // The second section serves empty values.
    {u"", u"@;\\(\\n\\o\\n\\e\\)", u"(none)"},
    {u"", u"@@", u"  "},
};

TEST(FormatExpressionStringTest, StringFormats) { ExpectFormats(kString); }

}  // namespace carrowin::format_test
