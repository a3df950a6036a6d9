#include <gtest/gtest.h>

#include <tuple>

#include "drel/ansi_code_page_guard.h"
#include "support/drel_fixture.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::literals;

enum Conversion { kScreen, kPrinter, kPlain };

const std::u16string kHebrew = u"ab\u05D0\u05D112";  // a, b, alef, bet, 1, 2

class DrelText : public testing_support::DrelFixture {
 protected:
  /// The bytes of `text` by `conversion` through `codepage` (plain: with it
  /// as the host's ANSI code page), after checking the count; "failed" when
  /// the conversion fails, which leaves the count alone.
  std::string Convert(Conversion conversion, int32_t codepage, std::u16string_view text) {
    const testing_support::AnsiCodePageGuard ansi(conversion == kPlain ? codepage : 1252);
    if (conversion == kScreen) drel.SetCodepage(codepage);
    std::vector<uint8_t> bytes;
    int32_t count = -1;
    const bool ok = conversion == kScreen ? drel.ConvertUnicodeToMultiByte(text, bytes, count)
                    : conversion == kPrinter
                        ? drel.ConvertUnicodeToMultiByteEx(codepage, text, bytes, count)
                        : drel.ConvertStringToBytes(text, bytes, count);
    EXPECT_EQ(count, !ok ? -1 : conversion == kPlain ? std::ssize(text) : std::ssize(bytes));
    return ok ? std::string(bytes.begin(), bytes.end()) : "failed";
  }
};

TEST_F(DrelText, ConvertsScreenPrinterAndPlainText) {
  const std::tuple<Conversion, int32_t, bool, std::u16string_view, std::string_view> cases[] = {
      // Screen text: one 0x11 before the first double-byte character.
      {kScreen, 932, false, u"\u3042\u3044A\u6F22", "\x11\x82\xA0\x82\xA2\x41\x8A\xBF"},
      {kScreen, 1251, false, u"ab\0c\u0416"sv, "ab"},  // the terminal reads text up to a NUL
      {kScreen, 28598, true, kHebrew, "ab12\xE1\xE0"},
      {kScreen, 932, false, u"", "failed"},
      {kScreen, 974, false, u"abc", "failed"},  // a tested code page no converter serves
      // Printer text: neither reordered nor marked.
      {kPrinter, 28598, true, kHebrew, "ab\xE0\xE1\x31\x32"},
      {kPrinter, 974, false, u"abc", "failed"},
      // Plain text, as screen text with code page 0: one byte a character, never reordered.
      {kPlain, 1252, false, u"A\u00E9\u20AC\0b"sv, "A\xE9\x80\0b"sv},
      {kPlain, 1252, false, u"a\u4E2D\U0001F600", "a???"}};  // each half of a pair counts
  for (const auto& [conversion, codepage, hebrew, text, bytes] : cases) {
    drel.SetHandleHebrewDisplay(hebrew);
    EXPECT_EQ(Convert(conversion, codepage, text), bytes) << conversion << " " << codepage;
  }
  // Failed conversions are reported; empty text fails without a report.
  ASSERT_EQ(trace->Errors().size(), 2u);
  const ErrorRecord failed = trace->Errors()[1];
  EXPECT_EQ(std::tuple(failed.procedure, failed.reportedNumber, failed.description),
            std::tuple(u"ConvertUnicodeToMultiByteEx"s, 100,
                       u"WideCharToMultiByte() call failed: [The parameter is incorrect.]"s));
  // A character of two bytes does not fit plain text.
  testing_support::ExpectError([&] { Convert(kPlain, 932, u"A\u3042B"); }, errors::kOverflow,
                               u"Overflow");
}

// Pages the terminals are tested with are taken quietly; others are
// reported, yet kept.
TEST_F(DrelText, UntestedCodepagesAreReported) {
  for (const auto& [codepage, tested] : {std::pair{974, true}, std::pair{28599, true},
                                         std::pair{28590, false}, std::pair{28600, false}}) {
    trace->Clear();
    drel.SetCodepage(codepage);
    drel.SetPrinterCodepage(codepage);
    ASSERT_EQ(trace->Errors().size(), tested ? 0u : 2u) << codepage;
  }
  EXPECT_EQ(trace->Errors()[1].description, u"Untested Codepage: [28600].");
}

}  // namespace
}  // namespace carrowin
