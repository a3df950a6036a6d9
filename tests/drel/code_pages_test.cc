#include "carrowin/drel/code_pages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "carrowin/host/error.h"
#include "drel/ansi_code_page_guard.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;
using testing_support::AnsiCodePageGuard;

constexpr int32_t kMappedCodePages[] = {437,   850,   855,   864,   932,   949,   950,
                                        1251,  1252,  1256,  20866, 28591, 28592, 28593,
                                        28594, 28595, 28596, 28597, 28598, 28599, 65001};
constexpr int32_t kSingleBytePages[] = {437,   850,   855,   864,   1251,  1252,
                                        1256,  20866, 28591, 28592, 28593, 28594,
                                        28595, 28596, 28597, 28598, 28599};

Bytes ToBytes(int32_t codepage, std::u16string_view text) {
  Bytes bytes;
  const CodePageResult result = WideCharToMultiByte(codepage, text, bytes);
  EXPECT_EQ(result.lastError, 0) << "code page " << codepage;
  EXPECT_EQ(result.count, static_cast<int32_t>(bytes.size()));
  return bytes;
}

struct Mapping {
  int32_t codepage;
  std::u16string text;
  Bytes bytes;
};

TEST(WideCharToMultiByte, MapsCharactersAsTheWindowsTables) {
  const Mapping cases[] = {
      {1252, u"\u00E9\u20AC", {0xE9, 0x80}},
      {437, u"\u00E9\u2591", {0x82, 0xB0}},
      {850, u"\u00C0", {0xB7}},
      {864, u"\u0660", {0xB0}},
      {932, u"A\u3042\uFF71", {0x41, 0x82, 0xA0, 0xB1}},
      {949, u"\uAC00", {0xB0, 0xA1}},
      {950, u"\u4E00", {0xA4, 0x40}},
      {1251, u"\u0416", {0xC6}},
      {1256, u"\u0627", {0xC7}},
      {20866, u"\u0416", {0xF6}},
      {28591, u"\u00FF", {0xFF}},
      {28595, u"\u0416", {0xB6}},
      {28598, u"\u05D0", {0xE0}},
      {65001, u"\u00E9\u3042", {0xC3, 0xA9, 0xE3, 0x81, 0x82}},
  };
  for (const Mapping& m : cases) {
    EXPECT_EQ(ToBytes(m.codepage, m.text), m.bytes) << "code page " << m.codepage;
  }
}

TEST(WideCharToMultiByte, UnmappableCharactersBecomeQuestionMark) {
  const Mapping cases[] = {
      {1252, u"a\u4E00b", {'a', '?', 'b'}},
      {437, u"\u0416", {'?'}},
      {1251, u"\u3042", {'?'}},
      {932, u"\uAC00", {'?'}},
      {949, u"\u0E01", {'?'}},
      {28598, u"\u0416", {'?'}},
      // A lone surrogate is no character at all.
      {1252, u"\xD800x", {'?', 'x'}},
      // An unmapped ignorable character is not dropped.
      {932, u"a\u00ADb", {'a', '?', 'b'}},
      // 932 takes no fallback mappings the platform table lacks.
      {932, u"\u00A6", {'?'}},
  };
  for (const Mapping& m : cases) {
    EXPECT_EQ(ToBytes(m.codepage, m.text), m.bytes) << "code page " << m.codepage;
  }
}

TEST(WideCharToMultiByte, Utf8SubstitutesReplacementCharacter) {
  EXPECT_EQ(ToBytes(65001, u"\xDC00"), (Bytes{0xEF, 0xBF, 0xBD}));
  EXPECT_EQ(ToBytes(65001, u"\U0001F600"), (Bytes{0xF0, 0x9F, 0x98, 0x80}));
}

TEST(WideCharToMultiByte, BestFitTurnsFullwidthLatinToAscii) {
  EXPECT_EQ(ToBytes(1252, u"\uFF21\uFF02"), (Bytes{'A', '"'}));
}

TEST(WideCharToMultiByte, ControlCharactersKeepTheirBytesOnEveryPage) {
  // The IBM-derived tables move 1A, 1C and 7F; every code page must send
  // the C0 controls and DEL as themselves.
  std::u16string controls;
  Bytes expected;
  for (char16_t unit = 1; unit < 0x80; ++unit) {
    controls.push_back(unit);
    expected.push_back(static_cast<uint8_t>(unit));
  }
  for (int32_t codepage : kMappedCodePages) {
    EXPECT_EQ(ToBytes(codepage, controls), expected) << "code page " << codepage;
  }
}

TEST(WideCharToMultiByte, NulIsConvertedLikeAnyCharacter) {
  EXPECT_EQ(ToBytes(1252, std::u16string(u"a\0b", 3)), (Bytes{'a', 0, 'b'}));
}

TEST(WideCharToMultiByte, UnknownCodePageOrEmptyTextFailsWithInvalidParameter) {
  for (int32_t codepage : {1, 974, 874, 1250, 20127, -5, 99999}) {
    Bytes bytes{1, 2};
    const CodePageResult result = WideCharToMultiByte(codepage, u"abc", bytes);
    EXPECT_EQ(result.count, 0) << codepage;
    EXPECT_EQ(result.lastError, win32_errors::kInvalidParameter) << codepage;
    EXPECT_FALSE(IsCodePageAvailable(codepage)) << codepage;
  }
  Bytes bytes;
  EXPECT_EQ(WideCharToMultiByte(1252, u"", bytes).lastError, win32_errors::kInvalidParameter);
}

TEST(HostAnsiCodePage, DefaultsTo1252AndServesCodePageZero) {
  EXPECT_EQ(HostAnsiCodePage(), 1252);
  EXPECT_EQ(ToBytes(kAnsiCodePage, u"\u00E9"), Bytes{0xE9});
  {
    AnsiCodePageGuard cyrillic(1251);
    EXPECT_EQ(HostAnsiCodePage(), 1251);
    EXPECT_EQ(ToBytes(kAnsiCodePage, u"\u0416"), Bytes{0xC6});
  }
  EXPECT_EQ(HostAnsiCodePage(), 1252);
}

TEST(HostAnsiCodePage, RefusesUnavailableCodePages) {
  const std::pair<int32_t, std::u16string> cases[] = {
      {0, u"Code page 0 is not available"},
      {974, u"Code page 974 is not available"},
      {12345, u"Code page 12345 is not available"},
  };
  for (const auto& [codepage, description] : cases) {
    try {
      SetHostAnsiCodePage(codepage);
      ADD_FAILURE() << codepage << " accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kInvalidProcedureCall);
      EXPECT_EQ(e.Description(), description);
    }
  }
  EXPECT_EQ(HostAnsiCodePage(), 1252);
}

TEST(IsDBCSLeadByteEx, AnswersTheLeadByteRanges) {
  struct Case {
    int32_t codepage;
    uint8_t byte;
    bool lead;
  };
  const Case cases[] = {
      {932, 0x80, false},  {932, 0x81, true},    {932, 0x9F, true},    {932, 0xA0, false},
      {932, 0xB1, false},  {932, 0xDF, false},   {932, 0xE0, true},    {932, 0xFC, true},
      {932, 0xFD, false},  {949, 0x80, false},   {949, 0x81, true},    {949, 0xFE, true},
      {949, 0xFF, false},  {950, 0x81, true},    {950, 0xFE, true},    {950, 0x40, false},
      {1252, 0x81, false}, {65001, 0xC3, false}, {65001, 0xE3, false}, {974, 0x81, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsDBCSLeadByteEx(c.codepage, c.byte), c.lead)
        << c.codepage << " byte " << static_cast<int>(c.byte);
  }
}

TEST(IsDBCSLeadByteEx, AgreesWithEveryConvertedCharacter) {
  // Every double-byte character the converter produces starts with a lead
  // byte, and no single-byte character is one.
  for (int32_t codepage : {932, 949, 950}) {
    int mismatches = 0;
    Bytes bytes;
    for (char32_t code = 0x20; code <= 0xFFFF; ++code) {
      if (code >= 0xD800 && code <= 0xDFFF) continue;
      const std::u16string text(1, static_cast<char16_t>(code));
      ASSERT_GT(WideCharToMultiByte(codepage, text, bytes).count, 0);
      const bool lead = IsDBCSLeadByteEx(codepage, bytes[0]);
      if (lead != (bytes.size() == 2)) ++mismatches;
    }
    EXPECT_EQ(mismatches, 0) << "code page " << codepage;
  }
}

TEST(MultiByteToWideChar, EveryMappedByteComesBackUnchanged) {
  for (int32_t codepage : kSingleBytePages) {
    for (int value = 1; value < 256; ++value) {
      const Bytes byte{static_cast<uint8_t>(value)};
      std::u16string text;
      ASSERT_EQ(MultiByteToWideChar(codepage, byte, text).count, 1);
      if (text[0] == 0xFFFD) continue;  // a byte the code page leaves undefined
      EXPECT_EQ(ToBytes(codepage, text), byte) << codepage << " byte " << value;
    }
  }
}

TEST(MultiByteToWideChar, DecodesDoubleByteTextAndReplacesBrokenBytes) {
  std::u16string text;
  const Bytes japanese{0x41, 0x82, 0xA0, 0xB1};
  EXPECT_EQ(MultiByteToWideChar(932, japanese, text).count, 3);
  EXPECT_EQ(text, u"A\u3042\uFF71");

  const Bytes broken{0x81, 0x20, 0x1A};
  MultiByteToWideChar(932, broken, text);
  EXPECT_EQ(text, u"\uFFFD \x1A");

  const Bytes badUtf8{'a', 0xC3};
  MultiByteToWideChar(65001, badUtf8, text);
  EXPECT_EQ(text, u"a\uFFFD");
}

TEST(ConvertMultiByteToUnicode, FailureRaisesApiFailure) {
  EXPECT_EQ(ConvertMultiByteToUnicode(1251, Bytes{}), u"");
  EXPECT_EQ(ConvertMultiByteToUnicode(28598, Bytes{0xE0, '1'}), u"\u05D01");
  try {
    ConvertMultiByteToUnicode(974, Bytes{'a'});
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 100);
    EXPECT_EQ(e.Source(), u"MultiByteToWideChar");
    EXPECT_EQ(e.Description(), u"API Failure");
  }
}

TEST(RecordText, TakesTheRecordsCharacters) {
  const Bytes message{'7', 'R', 0x82, 0xA0, 'x', 'y'};
  // Code page 0 reads the whole message in the ANSI code page (1252 here:
  // each byte one character).
  EXPECT_EQ(RecordText(0, message, 4, 2), u"xy");
  EXPECT_EQ(RecordText(0, message, 2, 2), u"\u201A\u00A0");
  EXPECT_EQ(RecordText(932, message, 2, 3), u"\u3042x");
  // Fewer when the message ends first; nothing from its end on.
  EXPECT_EQ(RecordText(932, message, 4, 10), u"xy");
  EXPECT_EQ(RecordText(0, message, 5, 10), u"y");
  EXPECT_EQ(RecordText(0, message, 6, 1), u"");
  EXPECT_EQ(RecordText(932, message, 99, 1), u"");
}

TEST(RecordText, DoubleByteAnsiCodePageCountsCharacters) {
  AnsiCodePageGuard japanese(932);
  const Bytes message{0x82, 0xA0, 'a', 'b'};
  EXPECT_EQ(RecordText(0, message, 2, 1), u"a");
}

TEST(SystemErrorText, GivesTheTextsOfConversionErrors) {
  EXPECT_EQ(SystemErrorText(win32_errors::kInvalidParameter), u"The parameter is incorrect.");
  EXPECT_EQ(SystemErrorText(win32_errors::kInsufficientBuffer),
            u"The data area passed to a system call is too small.");
  EXPECT_EQ(SystemErrorText(win32_errors::kNotEnoughMemory),
            u"Not enough memory resources are available to process this command.");
  EXPECT_EQ(SystemErrorText(0), u"");
  EXPECT_EQ(SystemErrorText(-1), u"");
}

TEST(CodePageConverters, ThreadsConvertIndependently) {
  const std::u16string text = u"A\u3042\u00E9\u0416\u05D0 text";
  std::vector<Bytes> expected;
  for (int32_t codepage : kMappedCodePages) expected.push_back(ToBytes(codepage, text));

  std::vector<int> failures(4, 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < failures.size(); ++t) {
    threads.emplace_back([&, t] {
      Bytes bytes;
      for (int round = 0; round < 200; ++round) {
        for (size_t i = 0; i < std::size(kMappedCodePages); ++i) {
          WideCharToMultiByte(kMappedCodePages[i], text, bytes);
          if (bytes != expected[i]) ++failures[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_THAT(failures, testing::Each(0));
}

}  // namespace
}  // namespace carrowin
