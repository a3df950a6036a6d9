#include "carrowin/drel/code_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "drel/ansi_code_page_guard.h"
#include "drel/code_page_registry.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::literals;
using Bytes = std::vector<uint8_t>;

/// The bytes of `text` in `codepage`, or "error n" for a failure numbered n.
std::string ToBytes(int32_t codepage, std::u16string_view text) {
  Bytes bytes{'x'};
  const CodePageResult result = WideCharToMultiByte(codepage, text, bytes);
  EXPECT_EQ(result.count, result.lastError == 0 ? std::ssize(bytes) : 0) << codepage;
  return result.lastError == 0 ? std::string(bytes.begin(), bytes.end())
                               : "error " + std::to_string(result.lastError);
}

TEST(WideCharToMultiByte, MapsAsTheWindowsTablesWithQuestionMarkForTheRest) {
  // Per code page: characters it maps, then ones it lacks, which become "?"
  // whatever substitute the underlying table has.
  const std::tuple<int32_t, std::u16string_view, std::string_view> cases[] = {
      // NUL is a character; fullwidth Latin takes the best fit; a lone
      // surrogate is no character at all.
      {1252, u"\u00E9\u20AC\0\uFF21\u4E00\xD800"sv, "\xE9\x80\0A??"sv},
      {437, u"\u00E9\u2591\u0416", "\x82\xB0?"},
      // An ignorable character is not dropped, and 932 takes no fallbacks.
      {932, u"A\u3042\uFF71\uAC00\u00AD\u00A6", "A\x82\xA0\xB1???"},
      {949, u"\uAC00\u0E01", "\xB0\xA1?"},
      {65001, u"\u00E9\U0001F600\xDC00", "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD"},
      // Code pages without a converter (974 among them, though the terminals
      // know it) fail with ERROR_INVALID_PARAMETER.
      {974, u"abc", "error 87"}};
  for (const auto& [codepage, text, bytes] : cases) {
    EXPECT_EQ(ToBytes(codepage, text), bytes) << codepage;
  }
}

TEST(CodePageBytes, KeepAsciiAndLeadAsOnWindows) {
  for (const CodePageInfo& page : kCodePages) {
    const int32_t codepage = page.codepage;
    for (int value = 1; value < 256; ++value) {
      const std::string byte(1, static_cast<char>(value));
      std::u16string text;
      ASSERT_EQ(MultiByteToWideChar(codepage, Bytes{byte.begin(), byte.end()}, text).count, 1);
      // ASCII and the C0 controls are themselves on every page: the IBM-derived
      // tables' own placement of 1A, 1C and 7F must not reach the terminal.
      EXPECT_TRUE(value >= 0x80 || text[0] == value) << codepage << " byte " << value;
      // Lead bytes: 81-9F and E0-FC for 932, 81-FE for 949 and 950.
      const bool lead =
          codepage == 932 ? (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC)
                          : (codepage == 949 || codepage == 950) && value >= 0x81 && value <= 0xFE;
      EXPECT_EQ(IsDBCSLeadByteEx(codepage, byte[0]), lead) << codepage << " byte " << value;
    }
  }
}

TEST(InboundText, ReplacesBrokenBytesAndReportsAMissingConverter) {
  EXPECT_EQ(ConvertMultiByteToUnicode(932, Bytes{'A', 0x82, 0xA0, 0xB1, 0x81, ' '}),
            u"A\u3042\uFF71\uFFFD ");
  const Error error = testing_support::RaisedBy([] { ConvertMultiByteToUnicode(974, Bytes{'a'}); });
  EXPECT_EQ(std::tuple(error.Number(), error.Source(), error.Description()),
            std::tuple(100, u"MultiByteToWideChar"s, u"API Failure"s));
}

TEST(HostAnsiCodePage, Is1252UnlessSetAndServesCodePageZero) {
  {
    const testing_support::AnsiCodePageGuard japanese(932);
    EXPECT_EQ(ToBytes(kAnsiCodePage, u"\u3042"), "\x82\xA0");
    EXPECT_EQ(RecordText(0, Bytes{0x82, 0xA0, 'a', 'b'}, 2, 1), u"a");  // characters, not bytes
  }
  testing_support::ExpectError([] { SetHostAnsiCodePage(974); }, errors::kInvalidProcedureCall,
                               u"Code page 974 is not available");
  EXPECT_EQ(HostAnsiCodePage(), 1252);
}

}  // namespace
}  // namespace carrowin
