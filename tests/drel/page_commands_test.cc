#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "carrowin/drel/wire_encoding.h"
#include "carrowin/host/error.h"
#include "drel/command_fixture.h"

namespace carrowin {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing_support::CommandFixture;
using testing_support::ExpectError;

using Bytes = std::vector<uint8_t>;
using Command = std::function<void(Drel&)>;

class PageCommands : public CommandFixture {};

struct Written {
  const char* name;
  Command command;
  Bytes bytes;
};

TEST_F(PageCommands, EachCommandWritesItsBytes) {
  const std::vector<Written> cases = {
      {"SelectPage 1", [](Drel& d) { d.SelectPage(1); }, {0x73, 0x31}},
      {"DisplayPage 207", [](Drel& d) { d.DisplayPage(207); }, {0x64, 0xFF}},
      {"OpenField -1", [](Drel& d) { d.OpenField(-1); }, {0x6F, 0x2F}},
      {"FixedField empty",
       [](Drel& d) { d.FixedField(7, 0, 0, u""); },
       {0x66, 0x37, 0x30, 0x30, 0x30}},
      {"FixedField text",
       [](Drel& d) { d.FixedField(1, 2, 3, u"Qty"); },
       {0x66, 0x31, 0x32, 0x33, 0x33, 'Q', 't', 'y'}},
      {"InitField",
       [](Drel& d) {
         int32_t style = 0x1FF, flags = 0;
         d.InitField(1, 2, 3, style, flags, 10);
       },
       {0x69, 0x31, 0x32, 0x33, 0xFF, 0x00, 0x3A}},
      {"InitField long size",
       [](Drel& d) {
         int32_t style = 1, flags = 2;
         d.InitField(0, 0, 0, style, flags, 208);
       },
       {0x69, 0x30, 0x30, 0x30, 0x01, 0x02, 0x21, 0x31, 0x30}},
      {"UpdateField", [](Drel& d) { d.UpdateField(4, u"ab"); }, {0x75, 0x34, 0x32, 'a', 'b'}},
      {"UpdateFieldWithMaxLen",
       [](Drel& d) { d.UpdateFieldWithMaxLen(4, u"abc", 1); },
       {0x75, 0x34, 0x31, 'a'}},
      {"ClearField", [](Drel& d) { d.ClearField(9); }, {0x63, 0x39}},
      {"ClearAll", [](Drel& d) { d.ClearAll(); }, {0x43}},
      {"EraseField", [](Drel& d) { d.EraseField(-1); }, {0x65, 0x2F}},
      {"EraseAll", [](Drel& d) { d.EraseAll(); }, {0x45}},
      {"SetFieldCharact",
       [](Drel& d) {
         int32_t style = -1, flags = 0x142;
         d.SetFieldCharact(5, style, flags);
       },
       {0x2B, 0x35, 0xFF, 0x42}},
      {"VisibleMatch empty", [](Drel& d) { d.VisibleMatch(2, u""); }, {0x76, 0x32, 0x30}},
      {"HiddenMatch", [](Drel& d) { d.HiddenMatch(2, u"9\u00E9"); }, {0x77, 0x32, 0x32, '9', 0xE9}},
      {"MoveCursor", [](Drel& d) { d.MoveCursor(12); }, {0x40, 0x3C}},
      {"Bits",
       [](Drel& d) {
         int32_t bits = 0x104;
         d.Bits(0, bits);
       },
       {0x62, 0x30, 0x04}},
  };
  for (const Written& c : cases) {
    SCOPED_TRACE(c.name);
    drel.StartMessage(kTerminal, 'H');
    c.command(drel);
    EXPECT_THAT(Flush(), ElementsAreArray(c.bytes));
  }
}

struct Boundary {
  const char* name;
  Command command;
  bool writes;
};

// Each range edge, just inside and just outside. A refused command writes
// nothing, flushes nothing and leaves the open field as it was.
TEST_F(PageCommands, RangeEdgesDecideWhetherAnythingIsWritten) {
  const std::u16string longest(kMaxLengthCode, u'x');
  const std::u16string tooLong(kMaxLengthCode + 1, u'x');
  auto init = [](int32_t field, int32_t row, int32_t column, int32_t size) {
    return [=](Drel& d) {
      int32_t style = 0, flags = 0;
      d.InitField(field, row, column, style, flags, size);
    };
  };
  auto bits = [](int32_t field) {
    return [=](Drel& d) {
      int32_t b = 1;
      d.Bits(field, b);
    };
  };
  const std::vector<Boundary> cases = {
      {"SelectPage -1", [](Drel& d) { d.SelectPage(-1); }, false},
      {"SelectPage 0", [](Drel& d) { d.SelectPage(0); }, true},
      {"SelectPage 207", [](Drel& d) { d.SelectPage(207); }, true},
      {"SelectPage 208", [](Drel& d) { d.SelectPage(208); }, false},
      {"DisplayPage -1", [](Drel& d) { d.DisplayPage(-1); }, false},
      {"DisplayPage 208", [](Drel& d) { d.DisplayPage(208); }, false},
      {"OpenField -2", [](Drel& d) { d.OpenField(-2); }, false},
      {"OpenField 207", [](Drel& d) { d.OpenField(207); }, true},
      {"OpenField 208", [](Drel& d) { d.OpenField(208); }, false},
      {"FixedField field -2", [](Drel& d) { d.FixedField(-2, 0, 0, u"a"); }, false},
      {"FixedField row -1", [](Drel& d) { d.FixedField(0, -1, 0, u"a"); }, false},
      {"FixedField column 208", [](Drel& d) { d.FixedField(0, 0, 208, u"a"); }, false},
      {"FixedField longest text", [&](Drel& d) { d.FixedField(0, 0, 0, longest); }, true},
      {"FixedField text too long", [&](Drel& d) { d.FixedField(0, 0, 0, tooLong); }, false},
      {"InitField field 208", init(208, 0, 0, 0), false},
      {"InitField row 208", init(0, 208, 0, 0), false},
      {"InitField column -1", init(0, 0, -1, 0), false},
      {"InitField size -1", init(0, 0, 0, -1), false},
      {"InitField size 43263", init(0, 0, 0, kMaxLengthCode), true},
      {"InitField size 43264", init(0, 0, 0, kMaxLengthCode + 1), false},
      {"ClearField -2", [](Drel& d) { d.ClearField(-2); }, false},
      {"ClearField 208", [](Drel& d) { d.ClearField(208); }, false},
      {"EraseField -2", [](Drel& d) { d.EraseField(-2); }, false},
      {"EraseField 207", [](Drel& d) { d.EraseField(207); }, true},
      {"SetFieldCharact 208",
       [](Drel& d) {
         int32_t s = 0, f = 0;
         d.SetFieldCharact(208, s, f);
       },
       false},
      {"VisibleMatch field -2", [](Drel& d) { d.VisibleMatch(-2, u"a"); }, false},
      {"VisibleMatch longest", [&](Drel& d) { d.VisibleMatch(0, longest); }, true},
      {"HiddenMatch too long", [&](Drel& d) { d.HiddenMatch(0, tooLong); }, false},
      {"MoveCursor -2", [](Drel& d) { d.MoveCursor(-2); }, false},
      {"MoveCursor 208", [](Drel& d) { d.MoveCursor(208); }, false},
      {"Bits -1", bits(-1), false},
      {"Bits 207", bits(207), true},
      {"Bits 208", bits(208), false},
  };
  for (const Boundary& c : cases) {
    SCOPED_TRACE(c.name);
    drel.MoveCursor(5);
    drel.StartMessage(kTerminal, 'H');
    const size_t sentBefore = MessagesSent();
    c.command(drel);
    EXPECT_EQ(drel.OutBufLen() > 2, c.writes);
    EXPECT_EQ(MessagesSent(), sentBefore);
    if (!c.writes) {
      EXPECT_EQ(drel.LastOpenField(), 5);
    }
  }
}

TEST_F(PageCommands, PendingBellGoesInFrontOfTheNextOpenFieldOnly) {
  drel.SetErrorBellTone(true);
  drel.OpenField(5);
  EXPECT_FALSE(drel.ErrorBellTone());
  drel.OpenField(5);
  EXPECT_THAT(Flush(), ElementsAre(0x23, 0x6F, 0x35, 0x6F, 0x35));

  // A refused open keeps the bell pending.
  drel.StartMessage(kTerminal, 'H');
  drel.SetErrorBellTone(true);
  drel.OpenField(208);
  EXPECT_TRUE(drel.ErrorBellTone());
  drel.OpenFieldGetDrel(list, 3);
  EXPECT_FALSE(drel.ErrorBellTone());
  EXPECT_EQ(drel.LastOpenField(), 3);
  EXPECT_THAT(Drain(list), ElementsAre(0x23, 0x6F, 0x33));
}

TEST_F(PageCommands, LastOpenFieldFollowsTheCommands) {
  struct Step {
    const char* name;
    Command command;
    int32_t lastOpenField;
  };
  const std::vector<Step> steps = {
      {"OpenField 4", [](Drel& d) { d.OpenField(4); }, 4},
      {"EraseField of another field", [](Drel& d) { d.EraseField(3); }, 4},
      {"EraseField of the open field", [](Drel& d) { d.EraseField(4); }, -1},
      {"MoveCursor 3", [](Drel& d) { d.MoveCursor(3); }, 3},
      {"MoveCursorGetDrel", [this](Drel& d) { d.MoveCursorGetDrel(list, 9); }, 3},
      {"SelectPage", [](Drel& d) { d.SelectPage(1); }, -1},
      {"OpenFieldGetDrel 6", [this](Drel& d) { d.OpenFieldGetDrel(list, 6); }, 6},
      {"DisplayPage", [](Drel& d) { d.DisplayPage(1); }, -1},
      {"OpenField 2", [](Drel& d) { d.OpenField(2); }, 2},
      {"ClearField", [](Drel& d) { d.ClearField(2); }, 2},
      {"EraseAll", [](Drel& d) { d.EraseAll(); }, -1},
  };
  EXPECT_EQ(drel.LastOpenField(), -1);
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    s.command(drel);
    EXPECT_EQ(drel.LastOpenField(), s.lastOpenField);
  }
}

TEST_F(PageCommands, RawArgumentsAreMaskedOnlyOnceWritten) {
  int32_t style = 0x1FF, flags = -2;
  drel.InitField(1, 208, 3, style, flags, 10);
  EXPECT_EQ(style, 0x1FF);
  EXPECT_EQ(flags, -2);
  drel.InitField(1, 2, 3, style, flags, 10);
  EXPECT_EQ(style, 0xFF);
  EXPECT_EQ(flags, 0xFE);

  int32_t charStyle = 0x300, charFlags = -1;
  drel.SetFieldCharact(-2, charStyle, charFlags);
  EXPECT_EQ(charStyle, 0x300);
  drel.SetFieldCharact(-1, charStyle, charFlags);
  EXPECT_EQ(charStyle, 0);
  EXPECT_EQ(charFlags, 0xFF);

  int32_t bits = 0x1234;
  drel.Bits(-1, bits);
  EXPECT_EQ(bits, 0x1234);
  drel.Bits(1, bits);
  EXPECT_EQ(bits, 0x34);
}

// n is what each command reserves: it joins a message holding 350 - n bytes
// and flushes one holding a byte more.
TEST_F(PageCommands, EachCommandReservesItsSize) {
  struct Reserve {
    const char* name;
    Command command;
    int32_t n;
  };
  const std::vector<Reserve> cases = {
      {"SelectPage", [](Drel& d) { d.SelectPage(1); }, 2},
      {"DisplayPage", [](Drel& d) { d.DisplayPage(1); }, 2},
      {"OpenField", [](Drel& d) { d.OpenField(1); }, 2},
      {"OpenField with bell",
       [](Drel& d) {
         d.SetErrorBellTone(true);
         d.OpenField(1);
       },
       3},
      {"FixedField", [](Drel& d) { d.FixedField(1, 1, 1, u"abcd"); }, 9},
      {"InitField",
       [](Drel& d) {
         int32_t s = 0, f = 0;
         d.InitField(1, 1, 1, s, f, 20);
       },
       7},
      {"UpdateField", [](Drel& d) { d.UpdateField(1, u"abcd"); }, 7},
      {"UpdateFieldWithMaxLen", [](Drel& d) { d.UpdateFieldWithMaxLen(1, u"abcdef", 4); }, 7},
      {"ClearField", [](Drel& d) { d.ClearField(1); }, 2},
      {"ClearAll", [](Drel& d) { d.ClearAll(); }, 1},
      {"EraseField", [](Drel& d) { d.EraseField(1); }, 2},
      {"EraseAll", [](Drel& d) { d.EraseAll(); }, 1},
      {"SetFieldCharact",
       [](Drel& d) {
         int32_t s = 0, f = 0;
         d.SetFieldCharact(1, s, f);
       },
       4},
      {"VisibleMatch", [](Drel& d) { d.VisibleMatch(1, u"abcd"); }, 7},
      {"HiddenMatch", [](Drel& d) { d.HiddenMatch(1, u"ab"); }, 5},
      {"MoveCursor", [](Drel& d) { d.MoveCursor(1); }, 2},
      {"Bits",
       [](Drel& d) {
         int32_t b = 0;
         d.Bits(1, b);
       },
       3},
  };
  for (const Reserve& c : cases) {
    SCOPED_TRACE(c.name);
    sender->Clear();
    FillTo(Drel::kMessageLimit - c.n);
    c.command(drel);
    EXPECT_EQ(MessagesSent(), 0u);
    FillTo(Drel::kMessageLimit - c.n + 1);
    c.command(drel);
    ASSERT_EQ(MessagesSent(), 1u);
    EXPECT_EQ(sender->Messages()[0].size(), static_cast<size_t>(Drel::kMessageLimit - c.n + 1));
  }
}

TEST_F(PageCommands, GetDrelFormsNeverFlushTheOwnBuffer) {
  FillTo(Drel::kMessageLimit);
  drel.OpenFieldGetDrel(list, 1);
  drel.ClearFieldGetDrel(list, 2);
  drel.ClearAllGetDrel(list);
  drel.MoveCursorGetDrel(list, -1);
  EXPECT_EQ(MessagesSent(), 0u);
  EXPECT_EQ(drel.OutBufLen(), Drel::kMessageLimit);
  EXPECT_THAT(Drain(list), ElementsAre(0x6F, 0x31, 0x63, 0x32, 0x43, 0x40, 0x2F));
}

TEST_F(PageCommands, MatchPatternWithAWideCharacterRaisesBeforeWritingOrFlushing) {
  FillTo(Drel::kMessageLimit);
  using Match = void (Drel::*)(int32_t, std::u16string_view);
  for (Match match : {&Drel::VisibleMatch, &Drel::HiddenMatch}) {
    ExpectError([&] { (drel.*match)(1, u"ab\u0100"); }, errors::kInvalidProcedureCall,
                u"A character above U+00FF cannot be sent unconverted");
  }
  EXPECT_EQ(MessagesSent(), 0u);
  EXPECT_EQ(drel.OutBufLen(), Drel::kMessageLimit);
}

TEST_F(PageCommands, FixedFieldSendsTheConvertedByteCount) {
  const std::u16string latin(208, u'\u00E9');
  drel.FixedField(0, 1, 2, latin);
  Bytes expected{0x66, 0x30, 0x31, 0x32, 0x21, 0x31, 0x30};
  expected.insert(expected.end(), 208, 0xE9);
  EXPECT_THAT(Flush(), ElementsAreArray(expected));

  // Through a screen code page the converted bytes are what is counted.
  drel.StartMessage(kTerminal, 'H');
  drel.SetCodepage(1251);
  drel.FixedField(0, 1, 2, u"\u042F\u0411");
  EXPECT_THAT(Flush(), ElementsAre(0x66, 0x30, 0x31, 0x32, 0x32, 0xDF, 0xC1));
}

TEST(PageCommandsUnbound, CommandsOnTheOwnBufferNeedInitialize) {
  Drel drel;
  ExpectError([&] { drel.SelectPage(1); }, errors::kObjectNotSet,
              u"The Drel object is not initialised");
  // The GetDrel forms write into the caller's buffer and need no binding.
  GrowingCircBuffer list;
  drel.ClearAllGetDrel(list);
  EXPECT_EQ(list.Length(), 1);
}

}  // namespace
}  // namespace carrowin
