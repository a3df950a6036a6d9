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
using testing::IsEmpty;
using testing_support::CommandFixture;
using testing_support::ExpectError;

using Bytes = std::vector<uint8_t>;
using ListCommand = std::function<void(Drel&, CircBuffer&)>;

class ExtendedCommands : public CommandFixture {};

struct Appended {
  const char* name;
  ListCommand command;
  Bytes bytes;  // empty: the whole command is refused
};

TEST_F(ExtendedCommands, GetDrelFormsAppendWholeCommandsOrNothing) {
  const std::vector<Appended> cases = {
      {"push button, no procedure",
       [](Drel& d, CircBuffer& b) { d.PushButtonFieldGetDrel(b, 5); },
       {'g', 53, 'B', 47}},
      {"push button 207",
       [](Drel& d, CircBuffer& b) { d.PushButtonFieldGetDrel(b, 207, 207); },
       {'g', 0xFF, 'B', 0xFF}},
      {"push button lowest byte",
       [](Drel& d, CircBuffer& b) { d.PushButtonFieldGetDrel(b, 0, -48); },
       {'g', '0', 'B', 0x00}},
      {"push button procedure 208",
       [](Drel& d, CircBuffer& b) { d.PushButtonFieldGetDrel(b, 0, 208); },
       {}},
      {"push button procedure -49",
       [](Drel& d, CircBuffer& b) { d.PushButtonFieldGetDrel(b, 0, -49); },
       {}},
      {"push button field -1", [](Drel& d, CircBuffer& b) { d.PushButtonFieldGetDrel(b, -1); }, {}},
      {"colours",
       [](Drel& d, CircBuffer& b) { d.SetColorGetDrel(b, 0, 7, 4); },
       {103, 48, 67, 55, 52}},
      {"colours default",
       [](Drel& d, CircBuffer& b) { d.SetColorGetDrel(b, 1, -1, 15); },
       {'g', '1', 'C', 47, 63}},
      {"colours field 208", [](Drel& d, CircBuffer& b) { d.SetColorGetDrel(b, 208, 1, 1); }, {}},
      {"foreground 208", [](Drel& d, CircBuffer& b) { d.SetColorGetDrel(b, 1, 208, 1); }, {}},
      {"background -49", [](Drel& d, CircBuffer& b) { d.SetColorGetDrel(b, 1, 1, -49); }, {}},
      {"video normal",
       [](Drel& d, CircBuffer& b) { d.ExtendedFieldVideoGetDrel(b, 2, 0); },
       {'g', '2', 'V', '1', '0'}},
      {"video bold reverse",
       [](Drel& d, CircBuffer& b) { d.ExtendedFieldVideoGetDrel(b, 2, 6); },
       {'g', '2', 'V', '2', '2', '3'}},
      {"video bit 128 alone",
       [](Drel& d, CircBuffer& b) { d.ExtendedFieldVideoGetDrel(b, 2, 128); },
       {'g', '2', 'V', '1', '0'}},
      {"video bit 128 ignored",
       [](Drel& d, CircBuffer& b) { d.ExtendedFieldVideoGetDrel(b, 2, 128 | 64); },
       {'g', '2', 'V', '1', '7'}},
      {"video default",
       [](Drel& d, CircBuffer& b) { d.ExtendedFieldVideoGetDrel(b, 2, -1); },
       {'g', '2', 'V', '7', '1', '2', '3', '4', '5', '6', '7'}},
      {"video field 208",
       [](Drel& d, CircBuffer& b) { d.ExtendedFieldVideoGetDrel(b, 208, 1); },
       {}},
      {"buffer size 80",
       [](Drel& d, CircBuffer& b) { d.FieldBufferSizeGetDrel(b, 3, 80); },
       {'g', '3', 'S', 128}},
      {"buffer size 43263",
       [](Drel& d, CircBuffer& b) { d.FieldBufferSizeGetDrel(b, 3, kMaxLengthCode); },
       {'g', '3', 'S', '!', 0xFF, 0xFF}},
      {"buffer size 43264",
       [](Drel& d, CircBuffer& b) { d.FieldBufferSizeGetDrel(b, 3, kMaxLengthCode + 1); },
       {}},
      {"buffer size -1", [](Drel& d, CircBuffer& b) { d.FieldBufferSizeGetDrel(b, 3, -1); }, {}},
      {"buffer size field 208",
       [](Drel& d, CircBuffer& b) { d.FieldBufferSizeGetDrel(b, 208, 1); },
       {}},
      {"update field -1",
       [](Drel& d, CircBuffer& b) { d.UpdateFieldGetDrel(b, -1, u"x"); },
       {'u', 47, '1', 'x'}},
      {"update field -2", [](Drel& d, CircBuffer& b) { d.UpdateFieldGetDrel(b, -2, u"x"); }, {}},
      {"update field 208", [](Drel& d, CircBuffer& b) { d.UpdateFieldGetDrel(b, 208, u"x"); }, {}},
  };
  for (const Appended& c : cases) {
    SCOPED_TRACE(c.name);
    list.PutByte('#');  // earlier content of the list stays as it was
    c.command(drel, list);
    Bytes expected{'#'};
    expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
    EXPECT_THAT(Drain(list), ElementsAreArray(expected));
  }
}

TEST_F(ExtendedCommands, DataUpdateLengthCodeEdges) {
  struct Edge {
    int32_t count;
    Bytes lengthCode;  // empty: refused
  };
  for (const Edge& e : {Edge{207, {0xFF}}, Edge{208, {'!', '1', '0'}},
                        Edge{kMaxLengthCode, {'!', 0xFF, 0xFF}}, Edge{kMaxLengthCode + 1, {}}}) {
    SCOPED_TRACE(e.count);
    drel.UpdateFieldGetDrel(list, 1, std::u16string(static_cast<size_t>(e.count), u'z'));
    const Bytes got = Drain(list);
    if (e.lengthCode.empty()) {
      EXPECT_THAT(got, IsEmpty());
      continue;
    }
    Bytes expected{'u', '1'};
    expected.insert(expected.end(), e.lengthCode.begin(), e.lengthCode.end());
    expected.insert(expected.end(), static_cast<size_t>(e.count), 'z');
    EXPECT_THAT(got, ElementsAreArray(expected));
  }
}

TEST_F(ExtendedCommands, MaxLenCutsOnlyOneBytePerCharacterText) {
  struct Cut {
    int32_t maxLen;
    std::u16string sent;
  };
  for (const Cut& c : {Cut{4, u"ABCD"}, Cut{-1, u"ABCDEFGHIJ"}, Cut{10, u"ABCDEFGHIJ"},
                       Cut{20, u"ABCDEFGHIJ"}, Cut{9, u"ABCDEFGHI"}, Cut{0, u""}}) {
    SCOPED_TRACE(c.maxLen);
    drel.UpdateFieldGetDrel(list, 3, u"ABCDEFGHIJ", false, c.maxLen);
    Bytes expected{'u', '3', static_cast<uint8_t>('0' + c.sent.size())};
    expected.insert(expected.end(), c.sent.begin(), c.sent.end());
    EXPECT_THAT(Drain(list), ElementsAreArray(expected));
  }

  // Through a code page the whole text goes, whatever MaxLen says.
  drel.SetCodepage(1251);
  drel.UpdateFieldGetDrel(list, 3, u"\u042F\u042F\u042F", false, 1);
  EXPECT_THAT(Drain(list), ElementsAre('u', '3', '3', 0xDF, 0xDF, 0xDF));
}

TEST_F(ExtendedCommands, UpdateChecksForRoomOnlyWhenAskedAndInTheOwnBuffer) {
  FillTo(Drel::kMessageLimit);
  drel.UpdateFieldGetDrel(list, 1, u"abc");
  EXPECT_EQ(MessagesSent(), 0u);
  EXPECT_THAT(Drain(list), ElementsAre('u', '1', '3', 'a', 'b', 'c'));

  // The check measures the own buffer even for a caller's list.
  FillTo(Drel::kMessageLimit - 6);
  drel.UpdateFieldGetDrel(list, 1, u"abc", true);
  EXPECT_EQ(MessagesSent(), 0u);
  FillTo(Drel::kMessageLimit - 5);
  drel.UpdateFieldGetDrel(list, 1, u"abc", true);
  EXPECT_EQ(MessagesSent(), 1u);
  EXPECT_EQ(drel.OutBufLen(), 2);
  EXPECT_EQ(list.Length(), 12);
}

TEST_F(ExtendedCommands, SendFormsReserveTheirSizeEvenForRefusedArguments) {
  struct Reserve {
    const char* name;
    std::function<void(Drel&)> refused;
    std::function<void(Drel&)> accepted;
    int32_t n;
    Bytes bytes;
  };
  const std::vector<Reserve> cases = {
      {"buffer size",
       [](Drel& d) { d.FieldBufferSizeSend(208, 1); },
       [](Drel& d) { d.FieldBufferSizeSend(1, 208); },
       4,
       {'g', '1', 'S', '!', '1', '0'}},
      {"push button",
       [](Drel& d) { d.PushButtonFieldSend(1, 300); },
       [](Drel& d) { d.PushButtonFieldSend(1, 2); },
       4,
       {'g', '1', 'B', '2'}},
      {"colours",
       [](Drel& d) { d.SetColorSend(1, 2, -50); },
       [](Drel& d) { d.SetColorSend(1, 2, 3); },
       5,
       {'g', '1', 'C', '2', '3'}},
      {"extended video",
       [](Drel& d) { d.ExtendedFieldVideoSend(-1, 1); },
       [](Drel& d) { d.ExtendedFieldVideoSend(1, 9); },
       11,
       {'g', '1', 'V', '2', '1', '4'}},
  };
  for (const Reserve& c : cases) {
    SCOPED_TRACE(c.name);
    sender->Clear();
    FillTo(Drel::kMessageLimit - c.n);
    c.accepted(drel);
    EXPECT_EQ(MessagesSent(), 0u);
    FillTo(Drel::kMessageLimit - c.n + 1);
    c.refused(drel);
    EXPECT_EQ(MessagesSent(), 1u);
    EXPECT_EQ(drel.OutBufLen(), 2);  // room made, nothing written
    c.accepted(drel);
    EXPECT_THAT(Flush(), ElementsAreArray(c.bytes));
  }
}

TEST_F(ExtendedCommands, LocalProcedureWrapsACommandListBuiltWithGetDrelForms) {
  GrowingCircBuffer commands;
  drel.ClearFieldGetDrel(commands, 3);
  drel.SetColorGetDrel(commands, 3, 1, 0);
  drel.OpenFieldGetDrel(commands, 3);
  drel.LocalProcedureSend(2, commands);
  EXPECT_EQ(commands.Length(), 0);  // read out of the list
  drel.PushButtonFieldSend(4, 2);
  EXPECT_THAT(Flush(), ElementsAre('P', '2', 'c', '3', 'g', '3', 'C', '1', '0', 'o', '3', 'B', 'g',
                                   '4', 'B', '2'));
}

TEST_F(ExtendedCommands, LocalProcedureRefusesAnIndexOutOfRangeAndAnEmptyList) {
  GrowingCircBuffer commands;
  commands.PutByte('C');
  for (int32_t index : {-1, 208}) {
    drel.LocalProcedureGetDrel(list, index, commands);
    EXPECT_EQ(list.Length(), 0);
    EXPECT_EQ(commands.Length(), 1);  // the list is left for another try
  }
  drel.LocalProcedureGetDrel(list, 0, commands);
  EXPECT_THAT(Drain(list), ElementsAre('P', '0', 'C', 'B'));

  ExpectError([&] { drel.LocalProcedureGetDrel(list, 1, commands); }, errors::kSubscriptOutOfRange,
              u"A local procedure needs at least one command");
  EXPECT_EQ(list.Length(), 0);
}

TEST_F(ExtendedCommands, LocalProcedureSendReservesTheListAndThreeBytes) {
  GrowingCircBuffer commands;
  commands.Put(10, Bytes(10, 'E'));
  FillTo(Drel::kMessageLimit - 13);
  drel.LocalProcedureSend(1, commands);
  EXPECT_EQ(MessagesSent(), 0u);

  commands.Put(10, Bytes(10, 'E'));
  FillTo(Drel::kMessageLimit - 12);
  drel.LocalProcedureSend(1, commands);
  EXPECT_EQ(MessagesSent(), 1u);
  EXPECT_EQ(drel.OutBufLen(), 2 + 13);
}

}  // namespace
}  // namespace carrowin
