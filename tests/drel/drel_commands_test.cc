#include <cstdint>
#include <functional>
#include <tuple>
#include <utility>

#include "carrowin/params/parameters.h"
#include "carrowin/wire/wire_encoding.h"
#include "support/drel_fixture.h"
#include "support/expect_error.h"

// The `name` and `command` of a `CommandCase` that calls `d.<call>`.
#define DREL_CALL(...) #__VA_ARGS__, [&](::carrowin::Drel & d) { d.__VA_ARGS__; }

namespace carrowin {
namespace {

using namespace std::string_literals;
using testing_support::ExpectError;

// A command and the bytes it writes (none when refused), into the caller's
// `list` when `toList`, and the room it makes first (0: it never sends).
struct CommandCase {
  const char* name;
  std::function<void(Drel&)> command;
  std::string bytes;
  int32_t room = 0;
  bool toList = false;
};

class DrelCommands : public testing_support::DrelFixture {
 protected:
  // Runs each case on a fresh message, then on nearly full ones.
  void ExpectCommands(const std::vector<CommandCase>& cases) {
    for (const CommandCase& c : cases) {
      SCOPED_TRACE(c.name);
      drel.MoveCursor(5);  // state that a refused command must leave alone
      drel.SetErrorBellTone(c.bytes.empty());
      Restart();
      Drain(list);
      c.command(drel);
      const std::string own = Flush(), listed = Drain(list);
      EXPECT_EQ(c.toList ? listed : own, c.bytes);
      EXPECT_EQ(c.toList ? own : listed, "");
      if (c.bytes.empty()) {
        EXPECT_EQ(std::pair(drel.LastOpenField(), drel.ErrorBellTone()), std::pair(5, true));
      }
      // It joins a message that has exactly its room left and sends one with less.
      for (const int32_t less : {0, c.room > 0 ? 1 : 0}) {
        sender->Clear();
        FillTo(Drel::kMessageLimit - c.room + less);
        c.command(drel);
        EXPECT_EQ(Sent(0), less ? "7H" + std::string(Drel::kMessageLimit - c.room - 1, 'x') : "");
      }
    }
  }
};

// Gives the terminal the model and firmware version of a parameter reply.
void SetTerminal(Drel& drel, int32_t model, int32_t version) {
  std::vector<uint8_t> reply{static_cast<uint8_t>(model + 48), static_cast<uint8_t>(version + 48)};
  reply.resize(8, '0');
  auto parameters = std::make_shared<Parameters>();
  parameters->LoadData(reply, 0);
  drel.SetParameters(parameters);
}

// Small numbers are the value plus 48: "/" is -1, "\xFF" is 207. A value with
// no byte refuses the whole command, never leaving one cut short.
TEST_F(DrelCommands, WriteTheirBytesOrNothingAtTheRangeEdges) {
  int32_t s = 0x1FF, f = -2, bits = 0x104;  // style, flags and bits go as their low bytes
  ExpectCommands({
      {DREL_CALL(DisplayPage(207)), "d\xFF", 2},
      {DREL_CALL(SetErrorBellTone(true); d.OpenField(1)), "#o1", 3},
      {DREL_CALL(FixedField(1, 2, 3, u"Qty")), "f1233Qty", 8},
      {DREL_CALL(InitField(1, 2, 3, s, f, 208)), "i123\xFF\xFE!10", 7},
      {DREL_CALL(InitField(0, 0, 0, s, f, 43263)), "i000\xFF\xFE!\xFF\xFF", 7},
      {DREL_CALL(UpdateFieldWithMaxLen(4, u"abc", 1)), "u41a", 4},
      {DREL_CALL(EraseAll()), "E", 1},
      {DREL_CALL(SetFieldCharact(-1, s, f)), "+/\xFF\xFE", 4},
      {DREL_CALL(VisibleMatch(2, u"")), "v20", 3},
      // Asked to, it makes room in the own buffer, yet writes to the list.
      {DREL_CALL(AdvisoryGetDrel(list, 2, u"Go", true)), "a22Go", 5, true},
      {DREL_CALL(DrelPrint(0, 5, -1)), "p5/", 3},
      {DREL_CALL(PushButtonFieldGetDrel(list, 0, -48)), "g0B\0"s, 0, true},
      {DREL_CALL(SetColorGetDrel(list, 1, -1, 15)), "g1C/?", 0, true},
      {DREL_CALL(ExtendedFieldVideoGetDrel(list, 2, 0)), "g2V10", 0, true},
      // The Send forms make room even for arguments that are then refused.
      {DREL_CALL(FieldBufferSizeSend(208, 1)), "", 4},
      {DREL_CALL(ExtendedFieldVideoSend(1, 9)), "g1V214", 11},
      // Refused: one value past each edge.
      {DREL_CALL(SelectPage(-1); d.DisplayPage(208); d.OpenField(-2); d.OpenField(208)), ""},
      {DREL_CALL(FixedField(-2, 0, 0, u"a"); d.FixedField(0, 0, 208, u"a")), ""},
      {DREL_CALL(InitField(0, 0, 0, s, f, 43264); d.InitField(0, 0, 0, s, f, -1)), ""},
      {DREL_CALL(Bits(208, bits); d.DrelPrint(0, 0, -2); d.PrinterPortPass(0, 208, u"x")), ""},
      {DREL_CALL(PushButtonFieldGetDrel(list, 0, -49); d.SetColorGetDrel(list, 1, 1, -49)), ""},
  });
}

TEST_F(DrelCommands, OpenFieldAndPendingBellFollowTheCommands) {
  const std::vector<std::tuple<const char*, std::function<void(Drel&)>, int32_t, bool>> steps = {
      {DREL_CALL(OpenField(4)), 4, false},
      {DREL_CALL(EraseField(4)), -1, false},
      {DREL_CALL(SelectPage(1)), -1, false},
      {DREL_CALL(SetErrorBellTone(true); d.HeyYou(208, u"?")), -1, true},
      // An advisory whose text is refused still opens its field.
      {DREL_CALL(SetErrorBellTone(true); d.Advisory(9, std::u16string(43264, u'x'))), 9, false},
  };
  for (const auto& [name, command, open, bell] : steps) {
    command(drel);
    EXPECT_EQ(std::pair(drel.LastOpenField(), drel.ErrorBellTone()), std::pair(open, bell)) << name;
  }
}

TEST_F(DrelCommands, ByReferenceArgumentsAreMaskedOnlyOnceWritten) {
  int32_t style = 0x1FF, flags = -2, bits = 0x1234;
  drel.InitField(1, 208, 3, style, flags, 10);
  drel.Bits(-1, bits);
  EXPECT_EQ(std::tuple(style, flags, bits), std::tuple(0x1FF, -2, 0x1234));
  drel.InitField(1, 2, 3, style, flags, 10);
  drel.Bits(1, bits);
  EXPECT_EQ(std::tuple(style, flags, bits), std::tuple(0xFF, 0xFE, 0x34));
}

// A text goes up to the largest length code and is refused whole past it. A
// text sent unconverted raises for a character above U+00FF.
TEST_F(DrelCommands, TextsGoUpToTheLargestLengthCode) {
  const std::u16string largest(kMaxLengthCode, u'x');
  drel.Milestone(largest + u'x');
  EXPECT_EQ(Flush(), "");
  drel.FixedField(0, 1, 2, largest);
  EXPECT_EQ(Flush(), "f012!\xFF\xFF" + std::string(kMaxLengthCode, 'x'));
  drel.Milestone(largest);
  EXPECT_EQ(Flush(), "M!\xFF\xFF" + std::string(kMaxLengthCode, 'x'));
  ExpectError([&] { drel.Milestone(u"ab\u0100"); }, errors::kInvalidProcedureCall,
              u"A character above U+00FF cannot be sent unconverted");
}

// The length code counts the converted bytes, not the characters; MaxLen
// cuts only text that goes one byte per character.
TEST_F(DrelCommands, ConvertedTextIsCountedInBytes) {
  drel.SetCodepage(65001);
  ExpectCommands({
      {DREL_CALL(FixedField(0, 1, 2, u"\u00E9")), "f0122\xC3\xA9", 7},
      {DREL_CALL(UpdateFieldWithMaxLen(3, u"\u00E9\u00E9", 1)), "u34\xC3\xA9\xC3\xA9", 7},
  });
}

// The flush check counts the length code as one byte: 47 + 303 = 350 stays
// one message, which then holds 352 bytes.
TEST_F(DrelCommands, LongTextsGoWholeIntoAMessageOfTheirOwn) {
  FillTo(47);
  drel.HeyYou(5, std::u16string(300, u'q'));
  EXPECT_EQ(std::pair(MessagesSent(), drel.OutBufLen()), std::pair(size_t{0}, 352));
  FillTo(48);
  drel.HeyYou(5, std::u16string(300, u'q'));
  EXPECT_EQ(Sent(0).size(), 48u);
  EXPECT_EQ(Flush(), "h5!1\x8C" + std::string(300, 'q'));  // 300 = 208 + 92
}

TEST_F(DrelCommands, RequestsReplaceWhateverTheBufferHeld) {
  drel.StartMessage(3, 'X');
  drel.OutBufPutStr(u"stale");
  drel.StartRRequest();
  drel.SendData();
  EXPECT_EQ(Sent(0), "7HR");
}

// A local procedure reserves its command list and three bytes.
TEST_F(DrelCommands, LocalProcedureWrapsACommandList) {
  GrowingCircBuffer commands;
  for (const int32_t length : {Drel::kMessageLimit - 13, Drel::kMessageLimit - 12}) {
    commands.PutStr(u"EEEEEEEEEE");
    FillTo(length);
    drel.LocalProcedureSend(1, commands);
  }
  EXPECT_EQ(Sent(0).size(), 338u);
  EXPECT_EQ(Flush(), "P1EEEEEEEEEEB");
  // An index out of range leaves the list for another try; an empty one raises.
  commands.PutByte('C');
  drel.LocalProcedureGetDrel(list, 208, commands);
  drel.LocalProcedureGetDrel(list, 0, commands);
  EXPECT_EQ(Drain(list), "P0CB");
  ExpectError([&] { drel.LocalProcedureGetDrel(list, 1, commands); }, errors::kSubscriptOutOfRange,
              u"A local procedure needs at least one command");
  EXPECT_EQ(list.Length(), 0);
}

TEST_F(DrelCommands, PrinterTextGoesInPacketsOfThePacketSize) {
  // Packets to port 1, format 0, each with its length plus 48.
  const std::string a32(32, 'a'), b32(32, 'b');
  drel.PrinterPortPass(1, 0,
                       u"" + std::u16string(32, u'a') + std::u16string(32, u'b') + u"tail.\n");
  EXPECT_EQ(Flush(), ">10P" + a32 + ">10P" + b32 + ">106tail.\n");
  drel.PrinterPortPass(1, 0, std::u16string(64, u'a'));  // no empty packet after whole ones
  EXPECT_EQ(Flush(), ">10P" + a32 + ">10P" + a32);
  // Each packet of characters is converted on its own; a surrogate pair is
  // never cut in two.
  drel.SetPrinterCodepage(65001);
  drel.SetPrinterPortPassPacketSize(3);
  drel.PrinterPortPass(1, 0, u"\u00E9\u00E9\u00E9ab\U0001F600");
  EXPECT_EQ(Flush(), ">106\xC3\xA9\xC3\xA9\xC3\xA9>102ab>104\xF0\x9F\x98\x80");
}

TEST_F(DrelCommands, DeviceCommandsReachOnlyTerminalsThatHaveThem) {
  for (const auto& [model, version, bytes] :
       {std::tuple{82, 2, "Zs2Ze1Ze0Zv111"}, std::tuple{82, 1, ""},
        std::tuple{65, 70, "Zs2Ze1Ze0Zv1b2"}, std::tuple{65, 69, ""}, std::tuple{0, 2, ""}}) {
    SetTerminal(drel, model, version);
    drel.UserSoundSend(2);
    drel.ScannerEnableSend(Variant(u"True"));
    drel.ScannerEnableSend(Variant(int32_t{0}));
    drel.VibrateSend(1, 1, 1);
    EXPECT_EQ(Flush(), bytes) << model << " " << version;
  }
}

// Model 82 gets the times; others the duty in percent (halves rounded to
// even: 12.5 is "<" for 12, 37.5 is "V" for 38) and the period.
TEST_F(DrelCommands, VibrateSendsTimesOrDutyAndPeriod) {
  SetTerminal(drel, 82, 2);
  ExpectCommands({
      {DREL_CALL(VibrateSend(208, 300, 30)), "Zv!10!1\x8CN", 8},
      {DREL_CALL(VibrateSend(INT32_MAX, INT32_MAX, 30)), "Zv!\xFF\xFF!\xFF\xFFN", 8},
      {DREL_CALL(UserSoundSend(5); d.VibrateSend(0, 0, 1); d.VibrateSend(1, 0, 0)), ""},
  });
  SetTerminal(drel, 65, 70);
  ExpectCommands({
      {DREL_CALL(VibrateSend(1, 7, 2)), "Zv2<8", 6},
      {DREL_CALL(VibrateSend(3, 5, 2)), "Zv2V8", 6},
      {DREL_CALL(VibrateSend(30000, 30000, 1)), "Zv1b!\xFF\xFF", 6},
  });
  ExpectError([&] { drel.VibrateSend(INT32_MAX, 1, 1); }, errors::kOverflow, u"Overflow");
}

TEST_F(DrelCommands, DeviceErrorsReachTheCaller) {
  // Without parameters, and again once Terminate has let them go.
  for (int pass = 0; pass < 2; ++pass) {
    ExpectError([&] { drel.UserSoundSend(9); }, errors::kObjectNotSet,
                u"Object variable or With block variable not set");
    SetTerminal(drel, 82, 2);
    drel.Terminate();
  }
  SetTerminal(drel, 65, 69);  // the gate is shut: the value is never converted
  drel.ScannerEnableSend(Variant(u"maybe"));
  SetTerminal(drel, 65, 70);
  ExpectError([&] { drel.ScannerEnableSend(Variant(u"maybe")); }, errors::kTypeMismatch,
              u"Type mismatch");
}

}  // namespace
}  // namespace carrowin
