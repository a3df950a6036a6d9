#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <tuple>

#include "carrowin/params/parameters.h"
#include "host/raises_error.h"
#include "support/drel_fixture.h"

namespace carrowin {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;
using testing_support::DrelFixture;

using Bytes = std::vector<uint8_t>;

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

class DeviceCommands : public DrelFixture {
 protected:
  // Gives the terminal the model and firmware version of a parameter reply.
  void SetTerminal(int32_t model, int32_t version) {
    auto parameters = std::make_shared<Parameters>();
    const Bytes reply{static_cast<uint8_t>(model + 48),
                      static_cast<uint8_t>(version + 48),
                      '0',
                      '0',
                      'P',
                      'L',
                      '0',
                      '0'};
    parameters->LoadData(reply, 0);
    drel.SetParameters(parameters);
  }

  // The packets of a printer pass-through, each with its own header.
  static Bytes Packets(const std::vector<std::u16string>& texts) {
    Bytes bytes;
    for (const std::u16string& text : texts) {
      bytes.insert(bytes.end(), {0x3E, 0x31, 0x30, static_cast<uint8_t>(text.size() + 48)});
      bytes.insert(bytes.end(), text.begin(), text.end());
    }
    return bytes;
  }
};

TEST_F(DeviceCommands, DrelPrintChecksThePageButSendsOnlyTheLines) {
  struct Case {
    int32_t page, lines, blank;
    Bytes bytes;
  };
  for (const Case& c :
       {Case{0, 5, -1, {0x70, 0x35, 0x2F}}, Case{207, 207, 207, {0x70, 0xFF, 0xFF}},
        Case{3, -1, 0, {0x70, 0x2F, 0x30}}, Case{208, 5, 0, {}}, Case{-1, 5, 0, {}},
        Case{0, -2, 0, {}}, Case{0, 208, 0, {}}, Case{0, 0, -2, {}}, Case{0, 0, 208, {}}}) {
    SCOPED_TRACE(testing::Message() << c.page << " " << c.lines << " " << c.blank);
    drel.DrelPrint(c.page, c.lines, c.blank);
    EXPECT_THAT(Flush(), ElementsAreArray(c.bytes));
    drel.StartMessage(kTerminal, 'H');
  }
}

TEST_F(DeviceCommands, PrinterTextGoesInPacketsOfThePacketSize) {
  const std::u16string text =
      u"0123456789abcdefghijklmnopqrstuv"
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZ!?+-*/"
      u"tail.\n";
  ASSERT_EQ(text.size(), 70u);
  drel.PrinterPortPass(1, 0, text);
  EXPECT_THAT(Flush(), ElementsAreArray(
                           Packets({text.substr(0, 32), text.substr(32, 32), text.substr(64)})));

  // A text of whole packets has no empty packet after it.
  drel.StartMessage(kTerminal, 'H');
  drel.PrinterPortPass(1, 0, text.substr(0, 64));
  EXPECT_THAT(Flush(), ElementsAreArray(Packets({text.substr(0, 32), text.substr(32, 32)})));

  // An empty text is one empty packet.
  drel.StartMessage(kTerminal, 'H');
  drel.PrinterPortPass(1, 0, u"");
  EXPECT_THAT(Flush(), ElementsAre(0x3E, 0x31, 0x30, 0x30));
}

TEST_F(DeviceCommands, PacketSizeBelowOneSendsTheWholeTextAsOnePacket) {
  const std::u16string text(100, u'p');
  for (int32_t size : {0, -1, std::numeric_limits<int32_t>::min()}) {
    drel.SetPrinterPortPassPacketSize(size);
    drel.StartMessage(kTerminal, 'H');
    drel.PrinterPortPass(1, 0, text);
    EXPECT_THAT(Flush(), ElementsAreArray(Packets({text})));
  }
  drel.SetPrinterPortPassPacketSize(1);
  drel.StartMessage(kTerminal, 'H');
  drel.PrinterPortPass(1, 0, u"abc");
  EXPECT_THAT(Flush(), ElementsAreArray(Packets({u"a", u"b", u"c"})));
}

TEST_F(DeviceCommands, PrinterPacketsRefuseAPortOrFormatOutOfRange) {
  struct Case {
    int32_t port, format;
    Bytes bytes;
  };
  for (const Case& c :
       {Case{0, 207, {0x3E, 0x30, 0xFF, 0x31, 'x'}}, Case{207, 0, {0x3E, 0xFF, 0x30, 0x31, 'x'}},
        Case{-1, 0, {}}, Case{208, 0, {}}, Case{0, -1, {}}, Case{0, 208, {}}}) {
    drel.StartMessage(kTerminal, 'H');
    drel.PrinterPortPass(c.port, c.format, u"x");
    EXPECT_THAT(Flush(), ElementsAreArray(c.bytes)) << c.port << " " << c.format;
  }
}

TEST_F(DeviceCommands, PrinterPacketsAreConvertedEachThroughThePrinterCodePage) {
  drel.SetPrinterCodepage(65001);
  drel.SetPrinterPortPassPacketSize(3);
  // Split by characters first: a packet of three characters may carry more
  // bytes, and a surrogate pair is never cut in two.
  drel.PrinterPortPass(1, 0, u"\u00E9\u00E9\u00E9ab\U0001F600");
  EXPECT_THAT(Flush(), ElementsAre(0x3E, 0x31, 0x30, 0x36, 0xC3, 0xA9, 0xC3, 0xA9, 0xC3, 0xA9,  //
                                   0x3E, 0x31, 0x30, 0x32, 'a', 'b',                            //
                                   0x3E, 0x31, 0x30, 0x34, 0xF0, 0x9F, 0x98, 0x80));
}

TEST_F(DeviceCommands, EachPrinterPacketThatCannotBeConvertedIsLeftOut) {
  drel.SetPrinterCodepage(974);  // no converter: every conversion fails
  trace->Clear();
  drel.PrinterPortPass(1, 0, std::u16string(70, u'x'));
  EXPECT_THAT(Flush(), IsEmpty());
  // Every packet was tried on its own.
  EXPECT_EQ(trace->Errors().size(), 3u);
}

TEST_F(DeviceCommands, UserSoundAndScannerOnlyReachTerminalsThatHaveThem) {
  struct Case {
    int32_t model, version;
    bool has;
  };
  for (const Case& c : {Case{82, 2, true}, Case{82, 1, false}, Case{82, 70, true},
                        Case{65, 70, true}, Case{65, 69, false}, Case{0, 2, false}}) {
    SCOPED_TRACE(testing::Message() << "model " << c.model << " version " << c.version);
    SetTerminal(c.model, c.version);
    drel.StartMessage(kTerminal, 'H');
    drel.UserSoundSend(2);
    drel.ScannerEnableSend(Variant(true));
    drel.ScannerEnableSend(Variant(int32_t{0}));
    EXPECT_THAT(Flush(),
                ElementsAreArray(c.has ? Bytes{0x5A, 0x73, 0x32, 0x5A, 0x65, 0x31, 0x5A, 0x65, 0x30}
                                       : Bytes{}));
  }
}

TEST_F(DeviceCommands, UserSoundIndexRunsFromOneToFour) {
  SetTerminal(82, 2);
  for (int32_t index : {0, 1, 4, 5}) {
    drel.UserSoundSend(index);
  }
  EXPECT_THAT(Flush(), ElementsAre(0x5A, 0x73, 0x31, 0x5A, 0x73, 0x34));
}

TEST_F(DeviceCommands, ScannerValueIsConvertedOnlyWhenTheCommandIsWritten) {
  SetTerminal(65, 69);
  drel.ScannerEnableSend(Variant(u"maybe"));  // closed gate: never converted
  SetTerminal(65, 70);
  drel.ScannerEnableSend(Variant(u"True"));
  EXPECT_THAT([&] { drel.ScannerEnableSend(Variant(u"maybe")); },
              RaisesError(errors::kTypeMismatch, u"Type mismatch"));
  EXPECT_THAT(Flush(), ElementsAre(0x5A, 0x65, 0x31));
}

TEST_F(DeviceCommands, VibrateSendsTimesOrDutyByModelAndVersion) {
  struct Case {
    const char* name;
    int32_t model, version, on, off, iterations;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"times, iterations clipped", 82, 3, 100, 100, 500, {0x5A, 0x76, 0x94, 0x94, 0xFF}},
      {"times, clipped to the length code",
       82,
       2,
       50000,
       0,
       1,
       {0x5A, 0x76, 0x21, 0xFF, 0xFF, 0x30, 0x31}},
      {"times, three-byte codes",
       82,
       2,
       208,
       300,
       7,
       {0x5A, 0x76, 0x21, 0x31, 0x30, 0x21, 0x31, 0x8C, 0x37}},
      {"too old a model 82", 82, 1, 1, 1, 1, {}},
      {"duty 33 of 3", 65, 70, 1, 2, 1, {0x5A, 0x76, 0x31, 0x51, 0x33}},
      {"duty 12.5 rounds to 12", 65, 70, 1, 7, 2, {0x5A, 0x76, 0x32, 0x30 + 12, 0x38}},
      {"duty 37.5 rounds to 38", 65, 70, 3, 5, 2, {0x5A, 0x76, 0x32, 0x30 + 38, 0x38}},
      {"duty 100 without pause", 65, 70, 4, 0, 1, {0x5A, 0x76, 0x31, 0x30 + 100, 0x34}},
      {"period clipped", 65, 70, 30000, 30000, 1, {0x5A, 0x76, 0x31, 0x30 + 50, 0x21, 0xFF, 0xFF}},
      {"too old another model", 65, 69, 1, 1, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetTerminal(c.model, c.version);
    drel.StartMessage(kTerminal, 'H');
    drel.VibrateSend(c.on, c.off, c.iterations);
    EXPECT_THAT(Flush(), ElementsAreArray(c.bytes));
  }
}

TEST_F(DeviceCommands, VibrateRefusesTimesOutOfRangeBeforeReadingTheTerminal) {
  // No parameters yet: refused arguments never reach the device check.
  for (auto [on, off, iterations] :
       {std::tuple{0, 0, 1}, std::tuple{1, -1, 1}, std::tuple{1, 0, 0}, std::tuple{-5, 5, 5}}) {
    drel.VibrateSend(on, off, iterations);
  }
  EXPECT_THAT(Flush(), IsEmpty());
}

TEST_F(DeviceCommands, VibratePeriodBeyond32BitsOverflowsWithoutWriting) {
  SetTerminal(65, 70);
  EXPECT_THAT([&] { drel.VibrateSend(kInt32Max, 1, 1); },
              RaisesError(errors::kOverflow, u"Overflow"));
  // Model 82 sends the times apart and has no period to overflow.
  SetTerminal(82, 2);
  drel.VibrateSend(kInt32Max, kInt32Max, 1);
  EXPECT_THAT(Flush(), ElementsAre(0x5A, 0x76, 0x21, 0xFF, 0xFF, 0x21, 0xFF, 0xFF, 0x31));
}

TEST_F(DeviceCommands, DeviceCommandsNeedTheTerminalsParameters) {
  const std::vector<std::function<void()>> commands = {
      [&] { drel.UserSoundSend(1); },
      [&] { drel.UserSoundSend(9); },
      [&] { drel.VibrateSend(1, 1, 1); },
      [&] { drel.ScannerEnableSend(Variant(true)); },
  };
  for (const auto& command : commands) {
    EXPECT_THAT(command, RaisesError(errors::kObjectNotSet, u"Object variable"));
  }
  SetTerminal(82, 2);
  drel.Terminate();
  for (const auto& command : commands) {
    EXPECT_THAT(command, RaisesError(errors::kObjectNotSet, u"Object variable"));
  }
}

}  // namespace
}  // namespace carrowin
