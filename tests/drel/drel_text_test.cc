#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carrowin/drel/drel.h"
#include "carrowin/host/error.h"
#include "drel/ansi_code_page_guard.h"
#include "host/decimal_text.h"
#include "support/drel_fixture.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;
using testing_support::AnsiCodePageGuard;

constexpr char16_t kAlef = 0x05D0;
constexpr char16_t kBet = 0x05D1;
const std::u16string kJapanese = u"A\u3042B";  // letter, hiragana A, letter

class DrelText : public testing_support::DrelFixture {
 protected:
  /// The screen conversion's bytes; checks that success and count agree.
  Bytes Screen(std::u16string_view text) {
    Bytes bytes;
    int32_t count = -1;
    EXPECT_TRUE(drel.ConvertUnicodeToMultiByte(text, bytes, count));
    EXPECT_EQ(count, static_cast<int32_t>(bytes.size()));
    return bytes;
  }

  Bytes Plain(std::u16string_view text) {
    Bytes bytes;
    int32_t count = -1;
    EXPECT_TRUE(drel.ConvertStringToBytes(text, bytes, count));
    EXPECT_EQ(count, static_cast<int32_t>(text.size()));
    return bytes;
  }
};

TEST_F(DrelText, TestedCodePagesAreStoredAndTracedWithoutReport) {
  for (int32_t codepage :
       {0, 437, 850, 855, 864, 932, 949, 950, 974, 1251, 1256, 20866, 28591, 28594, 28599, 65001}) {
    drel.SetCodepage(codepage);
    EXPECT_EQ(drel.Codepage(), codepage);
    EXPECT_TRUE(trace->HasLine(3, u"Let Codepage", u"Codepage=" + DecimalText(codepage)));
  }
  EXPECT_THAT(trace->Errors(), testing::IsEmpty());
}

TEST_F(DrelText, UntestedCodePageIsStoredReportedAndTraced) {
  for (int32_t codepage : {1252, 874, 28590, 28600, -1}) {
    trace->Clear();
    drel.SetCodepage(codepage);
    EXPECT_EQ(drel.Codepage(), codepage);
    const auto errors = trace->Errors();
    ASSERT_EQ(errors.size(), 1u) << codepage;
    EXPECT_EQ(errors[0].description, u"Untested Codepage: [" + DecimalText(codepage) + u"].");
    EXPECT_EQ(errors[0].procedure, u"Codepage");
    EXPECT_EQ(errors[0].reportedNumber, 100);
    EXPECT_FALSE(errors[0].flag);
    EXPECT_TRUE(trace->HasLine(3, u"Let Codepage", u"Codepage=" + DecimalText(codepage)));
  }
}

TEST_F(DrelText, PrinterCodepageHasItsOwnTraceAndTheSameReport) {
  drel.SetCodepage(1251);
  drel.SetPrinterCodepage(850);
  EXPECT_EQ(drel.PrinterCodepage(), 850);
  EXPECT_EQ(drel.Codepage(), 1251);
  EXPECT_TRUE(trace->HasLine(3, u"Let PrinterCodepage", u"PrinterCodepage=850"));
  EXPECT_THAT(trace->Errors(), testing::IsEmpty());

  drel.SetPrinterCodepage(1252);
  EXPECT_EQ(drel.PrinterCodepage(), 1252);
  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].description, u"Untested Codepage: [1252].");
  EXPECT_EQ(errors[0].procedure, u"Codepage");
  EXPECT_TRUE(trace->HasLine(3, u"Let PrinterCodepage", u"PrinterCodepage=1252"));
}

TEST_F(DrelText, DoubleByteTextCarriesOneMarkerBeforeItsFirstCharacter) {
  struct Case {
    int32_t codepage;
    std::u16string text;
    Bytes bytes;
  };
  const Case cases[] = {
      {932, kJapanese, {0x41, 0x11, 0x82, 0xA0, 0x42}},
      {932, u"\u3042\u3044A\u6F22", {0x11, 0x82, 0xA0, 0x82, 0xA2, 0x41, 0x8A, 0xBF}},
      // Half-width katakana are single bytes in the lead-byte gap.
      {932, u"\uFF71A", {0xB1, 0x41}},
      {949, u"x\uAC00", {0x78, 0x11, 0xB0, 0xA1}},
      {950, u"\u4E00y", {0x11, 0xA4, 0x40, 0x79}},
      // UTF-8 has no lead bytes, so no marker.
      {65001, kJapanese, {0x41, 0xE3, 0x81, 0x82, 0x42}},
  };
  for (const Case& c : cases) {
    drel.SetCodepage(c.codepage);
    EXPECT_EQ(Screen(c.text), c.bytes) << "code page " << c.codepage;
  }
}

TEST_F(DrelText, HebrewDisplayReordersScreenTextOnly) {
  const std::u16string text{u'a', u'b', kAlef, kBet, u'1', u'2'};
  drel.SetCodepage(28598);
  EXPECT_EQ(Screen(text), (Bytes{0x61, 0x62, 0xE0, 0xE1, 0x31, 0x32}));

  drel.SetHandleHebrewDisplay(true);
  EXPECT_EQ(Screen(text), (Bytes{0x61, 0x62, 0x31, 0x32, 0xE1, 0xE0}));
  EXPECT_EQ(Screen(std::u16string{kAlef, kBet}), (Bytes{0xE1, 0xE0}));

  // Printer text keeps its order and takes no marker.
  Bytes bytes;
  int32_t count = 0;
  ASSERT_TRUE(drel.ConvertUnicodeToMultiByteEx(28598, text, bytes, count));
  EXPECT_EQ(bytes, (Bytes{0x61, 0x62, 0xE0, 0xE1, 0x31, 0x32}));
  ASSERT_TRUE(drel.ConvertUnicodeToMultiByteEx(932, kJapanese, bytes, count));
  EXPECT_EQ(bytes, (Bytes{0x41, 0x82, 0xA0, 0x42}));
  EXPECT_EQ(count, 4);
}

TEST_F(DrelText, PlainConversionNeverReorders) {
  // Code page 0 screen text goes one byte per character, in the order given.
  AnsiCodePageGuard hebrew(28598);
  drel.SetHandleHebrewDisplay(true);
  EXPECT_EQ(Plain(std::u16string{u'a', kAlef, kBet, u'1'}), (Bytes{0x61, 0xE0, 0xE1, 0x31}));
}

TEST_F(DrelText, NulEndsTheConvertedBytes) {
  drel.SetCodepage(1251);
  EXPECT_EQ(Screen(std::u16string(u"ab\0cd", 5)), (Bytes{'a', 'b'}));
  EXPECT_EQ(Screen(std::u16string(u"\0x", 2)), Bytes{});
}

TEST_F(DrelText, UnmappableCharactersBecomeQuestionMarks) {
  drel.SetCodepage(1251);
  EXPECT_EQ(Screen(u"a\u4E2D\u0416"), (Bytes{'a', '?', 0xC6}));
}

TEST_F(DrelText, FailedConversionIsReportedAndLeavesTheCountAlone) {
  struct Case {
    bool screen;
    int32_t codepage;
    std::u16string procedure;
  };
  const Case cases[] = {
      {true, 974, u"ConvertUnicodeToMultiByte"},
      {true, 1250, u"ConvertUnicodeToMultiByte"},
      {false, 974, u"ConvertUnicodeToMultiByteEx"},
  };
  for (const Case& c : cases) {
    drel.SetCodepage(c.codepage);
    trace->Clear();
    Bytes bytes{1, 2, 3};
    int32_t count = 42;
    const bool ok = c.screen ? drel.ConvertUnicodeToMultiByte(u"abc", bytes, count)
                             : drel.ConvertUnicodeToMultiByteEx(c.codepage, u"abc", bytes, count);
    EXPECT_FALSE(ok);
    EXPECT_EQ(count, 42);
    EXPECT_THAT(bytes, testing::IsEmpty());
    const auto errors = trace->Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].description,
              u"WideCharToMultiByte() call failed: [The parameter is incorrect.]");
    EXPECT_EQ(errors[0].procedure, c.procedure);
    EXPECT_EQ(errors[0].reportedNumber, 100);
  }
}

TEST_F(DrelText, EmptyTextFailsWithoutReport) {
  drel.SetCodepage(932);
  Bytes bytes;
  int32_t count = 7;
  EXPECT_FALSE(drel.ConvertUnicodeToMultiByte(u"", bytes, count));
  EXPECT_FALSE(drel.ConvertUnicodeToMultiByteEx(932, u"", bytes, count));
  EXPECT_EQ(count, 7);
  EXPECT_THAT(trace->Errors(), testing::IsEmpty());
}

TEST_F(DrelText, PlainConversionGivesOneAnsiBytePerCharacter) {
  EXPECT_EQ(Plain(u""), Bytes{});
  EXPECT_EQ(Plain(u"A\u00E9\u20AC"), (Bytes{0x41, 0xE9, 0x80}));
  EXPECT_EQ(Plain(std::u16string(u"a\0b", 3)), (Bytes{'a', 0, 'b'}));
  EXPECT_EQ(Plain(u"a\u4E2D"), (Bytes{'a', '?'}));
  // Each half of a surrogate pair is a character of its own.
  EXPECT_EQ(Plain(u"\U0001F600"), (Bytes{'?', '?'}));
}

TEST_F(DrelText, PlainConversionOfADoubleByteCharacterOverflows) {
  AnsiCodePageGuard japanese(932);
  EXPECT_EQ(Plain(u"A\uFF71"), (Bytes{0x41, 0xB1}));
  Bytes bytes;
  int32_t count = 0;
  try {
    drel.ConvertStringToBytes(kJapanese, bytes, count);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kOverflow);
    EXPECT_EQ(e.Description(), u"Overflow");
  }
}

}  // namespace
}  // namespace carrowin
