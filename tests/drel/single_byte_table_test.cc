#include "drel/single_byte_table.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/drel/code_pages.h"
#include "drel/code_page_conversion.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;

// The table must give exactly the converter's bytes, corrections included
// (the substitute "?", fallbacks, the IBM control characters).
TEST(SingleByteTable, GivesTheConvertersByteForEveryCodeUnit) {
  int pages = 0;
  for (const CodePageInfo& info : kCodePages) {
    const SingleByteTable* table = FindSingleByteTable(info);
    if (table == nullptr) continue;
    SCOPED_TRACE(info.codepage);
    ++pages;
    int mismatches = 0;
    Bytes fromTable, fromConverter;
    for (char32_t unit = 0; unit <= 0xFFFF && mismatches < 5; ++unit) {
      if (IsSurrogate(unit)) continue;
      const char16_t text[] = {static_cast<char16_t>(unit)};
      ASSERT_TRUE(table->Convert({text, 1}, fromTable));
      ASSERT_EQ(IcuFromUnicode(info, {text, 1}, fromConverter).count, 1);
      if (fromTable != fromConverter) {
        ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(unit);
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(pages, 17);  // every mapped page whose characters are all one byte
}

// A pair is one character beyond the page: one "?", not one per half; a
// lone half is one "?" of its own. The characters around keep the table's
// bytes, and the control characters of the IBM tables stay in place.
TEST(SingleByteTable, LeavesSurrogatesToTheConverter) {
  const std::tuple<int32_t, std::u16string_view, std::string_view> cases[] = {
      {1252, u"\u00E9\U0001F600\u20AC", "\xE9?\x80"},
      {1252, u"\xD800x\xDC00", "?x?"},
      {437, u"\x1A\x1C\x7F\U0001F600", "\x1A\x1C\x7F?"},
  };
  for (const auto& [codepage, text, bytes] : cases) {
    Bytes converted{'x'};
    EXPECT_EQ(WideCharToMultiByte(codepage, text, converted).count, std::ssize(bytes));
    EXPECT_EQ(std::string(converted.begin(), converted.end()), bytes) << codepage;
  }
}

}  // namespace
}  // namespace carrowin
