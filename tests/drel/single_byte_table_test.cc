#include "drel/single_byte_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/drel/code_pages.h"
#include "drel/code_page_conversion.h"

namespace carrowin {
namespace {

using namespace std::literals;
using Bytes = std::vector<uint8_t>;

// Every mapped page whose characters are all one byte, and only those.
const std::set<int32_t> kSingleBytePages = {437,   850,   855,   864,   1251,  1252,
                                            1256,  20866, 28591, 28592, 28593, 28594,
                                            28595, 28596, 28597, 28598, 28599};

std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(SingleByteTable, ExistsForExactlyTheSingleBytePages) {
  std::set<int32_t> withTable;
  for (const CodePageInfo& info : kCodePages) {
    if (FindSingleByteTable(info) != nullptr) withTable.insert(info.codepage);
  }
  EXPECT_EQ(withTable, kSingleBytePages);
}

// The table must give exactly the converter's bytes, corrections included
// (the substitute "?", fallbacks, the IBM control characters).
TEST(SingleByteTable, GivesTheConvertersByteForEveryCodeUnit) {
  for (const CodePageInfo& info : kCodePages) {
    const SingleByteTable* table = FindSingleByteTable(info);
    if (table == nullptr) continue;
    SCOPED_TRACE(info.codepage);
    int mismatches = 0;
    Bytes fromTable, fromConverter;
    for (char32_t unit = 0; unit <= 0xFFFF && mismatches < 5; ++unit) {
      if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) continue;
      const char16_t text[] = {static_cast<char16_t>(unit)};
      ASSERT_TRUE(table->Convert({text, 1}, fromTable));
      ASSERT_EQ(IcuFromUnicode(info, {text, 1}, fromConverter).count, 1);
      if (fromTable != fromConverter) {
        ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(unit);
        ++mismatches;
      }
    }
  }
}

// A pair is one character beyond the page: one "?", not one per half; a
// lone half is one "?" of its own. The characters around keep the table's
// bytes, and the control characters of the IBM tables stay in place.
TEST(SingleByteTable, LeavesSurrogatesToTheConverter) {
  const std::tuple<int32_t, std::u16string_view, std::string_view> cases[] = {
      {1252, u"a\U0001F600b", "a?b"},
      {1252, u"\xD800x\xDC00", "?x?"},
      {1252, u"\u00E9\U0001F600\u20AC", "\xE9?\x80"},
      {437, u"\x1A\x1C\x7F\U0001F600", "\x1A\x1C\x7F?"},
      {28597, u"\u03A9\xDBFF", "\xD9?"},
  };
  for (const auto& [codepage, text, bytes] : cases) {
    Bytes converted{'x'};
    const CodePageResult result = WideCharToMultiByte(codepage, text, converted);
    EXPECT_EQ(AsString(converted), bytes) << codepage;
    EXPECT_EQ(result.count, std::ssize(bytes)) << codepage;
  }
  Bytes unused;
  EXPECT_FALSE(FindSingleByteTable(*FindCodePage(1252))->Convert(u"a\U0001F600", unused));
}

// Threads that meet a page for the first time at once share one table.
TEST(SingleByteTable, IsBuiltOnceForAllThreads) {
  const CodePageInfo& info = *FindCodePage(28594);
  std::vector<const SingleByteTable*> seen(4);
  {
    std::vector<std::jthread> threads;
    for (size_t i = 0; i < seen.size(); ++i) {
      threads.emplace_back([&seen, &info, i] { seen[i] = FindSingleByteTable(info); });
    }
  }
  EXPECT_NE(seen[0], nullptr);
  for (const SingleByteTable* table : seen) EXPECT_EQ(table, seen[0]);
}

}  // namespace
}  // namespace carrowin
