#include "carrowin/host/growing_circ_buffer.h"
#include "support/drel_fixture.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::string_literals;
using DrelFraming = testing_support::DrelFixture;

TEST_F(DrelFraming, ControlMessagesGoAloneAndOnceStatusRequestsWait) {
  struct Case {
    int32_t terminal;
    void (Drel::*send)();
    std::string bytes;
  };
  for (const Case& c : {Case{12, &Drel::AttachTerminal, "12a"}, Case{0, &Drel::AbortTerminal, "0A"},
                        Case{-3, &Drel::DetachTerminal, "-3d"}}) {
    Drel own;
    own.Initialize(trace, sender, 64, c.terminal);
    own.OutBufPutStr(u"stale");
    (own.*c.send)();
    // The buffer gave its bytes away: the worker's closing SendData of the
    // same cycle does not send the control message a second time.
    own.SendData();
    EXPECT_EQ(MessagesSent(), 1u);
    EXPECT_EQ(Sent(0), c.bytes);
    sender->Clear();
  }
  // A status request is only started; the caller sends it.
  drel.RequestTerminalRStatus(5);
  EXPECT_EQ(MessagesSent(), 0u);
  drel.SendData();
  EXPECT_EQ(Sent(0), "5X");
}

TEST_F(DrelFraming, EmptyScreenMessageIsNotSentOthersTravelByteForByte) {
  drel.SendData();
  EXPECT_EQ(MessagesSent(), 0u);
  drel.StartMessage(42, 'H');
  drel.OutBufPut(5, {0x00, 0xFF, 0x11, 0x80, 0x0D});
  drel.SendData();
  EXPECT_EQ(Sent(0), "42H\0\xFF\x11\x80\r"s);
}

TEST_F(DrelFraming, MessageIsSentOnlyWhenACommandWouldTakeItPast350Bytes) {
  FillTo(340);
  drel.SendRawData(u"0123456789");
  EXPECT_EQ(MessagesSent(), 0u);
  FillTo(340);
  drel.SendRawData(u"0123456789A");
  EXPECT_EQ(Sent(0), "7H" + std::string(338, 'x'));
  EXPECT_EQ(Flush(), "0123456789A");
}

TEST_F(DrelFraming, OversizeCommandGoesAloneIntoAMessageWithTheSameHeader) {
  drel.StartMessage(kTerminal, 'X');
  drel.OutBufPutCh('E');
  drel.SendRawData(std::u16string(400, u'z'));
  drel.SendData();
  EXPECT_EQ(MessagesSent(), 2u);
  EXPECT_EQ(Sent(0), "7XE");
  EXPECT_EQ(Sent(1), "7X" + std::string(400, 'z'));
}

TEST_F(DrelFraming, AfterTerminateNothingIsSentAndNothingRaised) {
  drel.OutBufPutCh('E');
  drel.Terminate();
  EXPECT_NO_THROW(drel.SendData());
  EXPECT_EQ(MessagesSent(), 0u);
}

TEST(DrelUnbound, OwnBufferOperationsNeedInitializeGetDrelFormsDoNot) {
  Drel drel;
  const std::vector<std::function<void()>> calls = {
      [&] { drel.SendData(); },       [&] { drel.StartMessage(1, 'H'); },
      [&] { drel.OutBufPutCh(1); },   [&] { drel.SendRawData(u"x"); },
      [&] { drel.AttachTerminal(); }, [&] { drel.RequestTerminalRStatus(1); },
      [&] { drel.SelectPage(1); },    [&] { drel.Advisory(1, u"x"); },
      [&] { drel.ParameterQuery(); }, [&] { drel.SetColorSend(1, 1, 1); },
  };
  for (const auto& call : calls) {
    testing_support::ExpectError(call, errors::kObjectNotSet,
                                 u"The Drel object is not initialised");
  }
  GrowingCircBuffer list;
  drel.BellGetDrel(list);
  drel.AdvisoryGetDrel(list, -1, u"");
  EXPECT_EQ(list.Length(), 4);
}

}  // namespace
}  // namespace carrowin
