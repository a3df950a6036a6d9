#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "carrowin/host/growing_circ_buffer.h"
#include "drel/ansi_code_page_guard.h"
#include "host/raises_error.h"
#include "support/drel_fixture.h"

namespace carrowin {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;
using testing_support::DrelFixture;

using Bytes = std::vector<uint8_t>;

class PromptCommands : public DrelFixture {
 protected:
  // Leaves `length` bytes (header included) in the own buffer.
  void FillTo(int32_t length) {
    drel.OutBufPut(length - drel.OutBufLen(), Bytes(static_cast<size_t>(length), 'x'));
  }

  static Bytes Contents(CircBuffer& buffer) {
    Bytes bytes(static_cast<size_t>(buffer.Length()));
    buffer.Get(buffer.Length(), bytes);
    return bytes;
  }
};

Bytes Concat(Bytes head, const std::u16string& text) {
  head.insert(head.end(), text.begin(), text.end());
  return head;
}

TEST_F(PromptCommands, WriteTheirBytesOrNothingAtTheRangeBounds) {
  struct Case {
    const char* name;
    std::function<void(Drel&)> command;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"bell", [](Drel& d) { d.Bell(); }, {0x23}},
      {"lock keyboard", [](Drel& d) { d.LockKeyboard(); }, {0x6C}},
      {"wake 3", [](Drel& d) { d.Wake(3); }, {0x57, 0x33}},
      {"wake 0", [](Drel& d) { d.Wake(0); }, {0x57, 0x30}},
      {"wake 207", [](Drel& d) { d.Wake(207); }, {0x57, 0xFF}},
      {"wake -1", [](Drel& d) { d.Wake(-1); }, {}},
      {"wake 208", [](Drel& d) { d.Wake(208); }, {}},
      {"advisory -1 OK", [](Drel& d) { d.Advisory(-1, u"OK"); }, {0x61, 0x2F, 0x32, 0x4F, 0x4B}},
      {"advisory 207", [](Drel& d) { d.Advisory(207, u""); }, {0x61, 0xFF, 0x30}},
      {"advisory -2", [](Drel& d) { d.Advisory(-2, u"OK"); }, {}},
      {"advisory 208", [](Drel& d) { d.Advisory(208, u"OK"); }, {}},
      {"advisory no open, empty", [](Drel& d) { d.AdvisoryNoOpen(u""); }, {0x41, 0x30}},
      {"advisory no open", [](Drel& d) { d.AdvisoryNoOpen(u"Hi"); }, {0x41, 0x32, 'H', 'i'}},
      {"hey-you 5", [](Drel& d) { d.HeyYou(5, u"Y?"); }, {0x68, 0x35, 0x32, 'Y', '?'}},
      {"hey-you -1", [](Drel& d) { d.HeyYou(-1, u""); }, {0x68, 0x2F, 0x30}},
      {"hey-you 207", [](Drel& d) { d.HeyYou(207, u""); }, {0x68, 0xFF, 0x30}},
      {"hey-you -2", [](Drel& d) { d.HeyYou(-2, u""); }, {}},
      {"hey-you 208", [](Drel& d) { d.HeyYou(208, u""); }, {}},
      {"milestone", [](Drel& d) { d.Milestone(u"M01"); }, {0x4D, 0x33, 'M', '0', '1'}},
      {"milestone and open", [](Drel& d) { d.MilestoneAndOpen(u"A"); }, {0x4F, 0x31, 'A'}},
      {"ack milestone", [](Drel& d) { d.AckMilestone(u""); }, {0x4E, 0x30}},
      {"milestone latin-1", [](Drel& d) { d.Milestone(u"\u00E9"); }, {0x4D, 0x31, 0xE9}},
      {"soft key 0", [](Drel& d) { d.SoftKey(0, u"Go"); }, {0x53, 0x30, 0x32, 'G', 'o'}},
      {"soft key 207", [](Drel& d) { d.SoftKey(207, u""); }, {0x53, 0xFF, 0x30}},
      {"soft key -1", [](Drel& d) { d.SoftKey(-1, u"Go"); }, {}},
      {"soft key 208", [](Drel& d) { d.SoftKey(208, u"Go"); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drel.StartMessage(kTerminal, 'H');
    c.command(drel);
    EXPECT_THAT(Flush(), ElementsAreArray(c.bytes));
  }
}

TEST_F(PromptCommands, TextsUpToTheLargestLengthCodeAreWrittenLongerOnesNot) {
  const std::u16string largest(43263, u'x');
  const std::u16string tooLong(43264, u'x');
  struct Case {
    const char* name;
    std::function<void(Drel&, const std::u16string&)> command;
    Bytes head;
  };
  const std::vector<Case> cases = {
      {"milestone", [](Drel& d, const std::u16string& s) { d.Milestone(s); }, {0x4D}},
      {"soft key", [](Drel& d, const std::u16string& s) { d.SoftKey(1, s); }, {0x53, 0x31}},
      {"advisory no open", [](Drel& d, const std::u16string& s) { d.AdvisoryNoOpen(s); }, {0x41}},
      {"hey-you", [](Drel& d, const std::u16string& s) { d.HeyYou(1, s); }, {0x68, 0x31}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    drel.StartMessage(kTerminal, 'H');
    c.command(drel, tooLong);
    EXPECT_EQ(drel.OutBufLen(), 2);
    c.command(drel, largest);
    Bytes expected = c.head;
    expected.insert(expected.end(), {0x21, 0xFF, 0xFF});
    EXPECT_THAT(Flush(), ElementsAreArray(Concat(expected, largest)));
  }
}

TEST_F(PromptCommands, UnconvertedTextAboveLatin1IsRefusedBeforeAnyByte) {
  const std::vector<std::function<void()>> commands = {
      [&] { drel.Milestone(u"ab\u0100"); },
      [&] { drel.MilestoneAndOpen(u"\u20AC"); },
      [&] { drel.AckMilestone(u"x\uFFFF"); },
      [&] { drel.SoftKey(1, u"ab\u0100"); },
  };
  drel.LockKeyboard();
  for (const auto& command : commands) {
    EXPECT_THAT(command, RaisesError(errors::kInvalidProcedureCall, u"U+00FF"));
  }
  // Only the lock survives: no command head was left behind.
  EXPECT_THAT(Flush(), ElementsAre(0x6C));
}

TEST_F(PromptCommands, TextThatCannotBeConvertedIsReportedAndNotSent) {
  drel.SetCodepage(974);  // no converter: every conversion fails
  trace->Clear();
  drel.SetErrorBellTone(true);
  drel.AdvisoryNoOpen(u"abc");
  drel.HeyYou(1, u"abc");
  EXPECT_TRUE(drel.ErrorBellTone());
  drel.Advisory(3, u"abc");
  EXPECT_EQ(drel.LastOpenField(), 3);
  EXPECT_THAT(Flush(), IsEmpty());
  const auto errors = trace->Errors();
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[2].procedure, u"ConvertUnicodeToMultiByte");

  // Without a code page, a character that is two bytes in the host's code
  // page raises to the caller before any byte is written.
  const testing_support::AnsiCodePageGuard japanese(932);
  drel.SetCodepage(0);
  drel.StartMessage(kTerminal, 'H');
  EXPECT_THAT([&] { drel.AdvisoryNoOpen(u"a\u3042"); },
              RaisesError(errors::kOverflow, u"Overflow"));
  EXPECT_EQ(drel.OutBufLen(), 2);
}

TEST_F(PromptCommands, AdvisoryOpensItsFieldAndTakesThePlaceOfTheErrorBell) {
  drel.SetErrorBellTone(true);
  drel.Advisory(4, u"Check");
  EXPECT_FALSE(drel.ErrorBellTone());
  EXPECT_EQ(drel.LastOpenField(), 4);

  // A field out of range changes nothing.
  drel.SetErrorBellTone(true);
  drel.Advisory(208, u"Check");
  EXPECT_TRUE(drel.ErrorBellTone());
  EXPECT_EQ(drel.LastOpenField(), 4);

  // A refused text still opens the field.
  drel.Advisory(9, std::u16string(43264, u'x'));
  EXPECT_FALSE(drel.ErrorBellTone());
  EXPECT_EQ(drel.LastOpenField(), 9);
  EXPECT_THAT(Flush(), ElementsAre(0x61, 0x34, 0x35, 'C', 'h', 'e', 'c', 'k'));
}

TEST_F(PromptCommands, HeyYouClearsTheErrorBellOnlyWhenWritten) {
  drel.SetErrorBellTone(true);
  drel.HeyYou(208, u"Sure?");
  EXPECT_TRUE(drel.ErrorBellTone());
  drel.HeyYou(1, u"Sure?");
  EXPECT_FALSE(drel.ErrorBellTone());
  EXPECT_EQ(drel.LastOpenField(), -1);
}

TEST_F(PromptCommands, LongAdvisoryGoesWholeIntoAMessageOfItsOwn) {
  drel.Bell();
  const std::u16string text(400, u'a');
  drel.Advisory(1, text);
  ASSERT_EQ(sender->Messages().size(), 1u);
  EXPECT_THAT(sender->Messages()[0], ElementsAre(0x37, 0x48, 0x23));
  // 400 = 1 * 208 + 192
  EXPECT_THAT(Flush(), ElementsAreArray(Concat({0x61, 0x31, 0x21, 0x31, 0xF0}, text)));
}

TEST_F(PromptCommands, HeyYouOf300BytesFlushesOnlyWhenTheMessageWouldPass350) {
  const std::u16string text(300, u'q');
  const Bytes command = Concat({0x68, 0x35, 0x21, 0x31, 0x8C}, text);  // 300 = 208 + 92

  // The flush check counts the length code as one byte: 47 + 303 = 350 keeps
  // one message, which then holds 352 bytes.
  FillTo(47);
  drel.HeyYou(5, text);
  EXPECT_THAT(sender->Messages(), IsEmpty());
  EXPECT_EQ(drel.OutBufLen(), 352);

  drel.StartMessage(kTerminal, 'H');
  FillTo(48);
  drel.HeyYou(5, text);
  ASSERT_EQ(sender->Messages().size(), 1u);
  EXPECT_EQ(sender->Messages()[0].size(), 48u);
  EXPECT_THAT(Flush(), ElementsAreArray(command));
}

TEST_F(PromptCommands, RequestsReplaceWhateverTheBufferHeld) {
  struct Case {
    void (Drel::*request)();
    uint8_t byte;
  };
  for (const Case& c : {Case{&Drel::ParameterQuery, 0x21}, Case{&Drel::StartRRequest, 0x52}}) {
    const size_t sent = sender->Messages().size();
    drel.StartMessage(3, 'X');
    FillTo(349);
    (drel.*c.request)();
    EXPECT_EQ(sender->Messages().size(), sent);
    drel.SendData();
    ASSERT_EQ(sender->Messages().size(), sent + 1);
    EXPECT_THAT(sender->Messages().back(), ElementsAre(0x37, 0x48, c.byte));
  }
}

TEST_F(PromptCommands, GetDrelFormsWriteToTheGivenBufferWithoutFlushing) {
  GrowingCircBuffer list;
  FillTo(350);
  drel.BellGetDrel(list);
  drel.AdvisoryGetDrel(list, 2, u"Go");
  EXPECT_THAT(sender->Messages(), IsEmpty());
  EXPECT_EQ(drel.OutBufLen(), 350);
  EXPECT_THAT(Contents(list), ElementsAre(0x23, 0x61, 0x32, 0x32, 'G', 'o'));

  // Asked to, the advisory makes room in the own buffer, yet writes to the
  // given one; a refused advisory makes no room.
  drel.AdvisoryGetDrel(list, 208, u"Go", true);
  EXPECT_THAT(sender->Messages(), IsEmpty());
  drel.AdvisoryGetDrel(list, 2, u"Go", true);
  ASSERT_EQ(sender->Messages().size(), 1u);
  EXPECT_EQ(drel.OutBufLen(), 2);
  EXPECT_THAT(Contents(list), ElementsAre(0x61, 0x32, 0x32, 'G', 'o'));
}

TEST(PromptCommandsUnbound, OwnBufferCommandsNeedInitializeGetDrelFormsDoNot) {
  Drel drel;
  EXPECT_THAT([&] { drel.Bell(); }, RaisesError(errors::kObjectNotSet, u"not initialised"));
  EXPECT_THAT([&] { drel.Advisory(1, u"x"); },
              RaisesError(errors::kObjectNotSet, u"not initialised"));
  EXPECT_THAT([&] { drel.ParameterQuery(); },
              RaisesError(errors::kObjectNotSet, u"not initialised"));
  GrowingCircBuffer list;
  drel.BellGetDrel(list);
  drel.AdvisoryGetDrel(list, -1, u"");
  EXPECT_EQ(list.Length(), 4);
}

}  // namespace
}  // namespace carrowin
