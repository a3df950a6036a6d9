#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "carrowin/host/error.h"
#include "support/drel_fixture.h"

namespace carrowin {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing_support::DrelFixture;

using Bytes = std::vector<uint8_t>;

class DrelFraming : public DrelFixture {
 protected:
  void Fill(int32_t length) {
    drel.StartMessage(kTerminal, 'H');
    drel.OutBufPut(length - drel.OutBufLen(), Bytes(static_cast<size_t>(length), 'x'));
  }
};

TEST_F(DrelFraming, ControlMessagesAreSentWithTheirHeaderOnly) {
  struct Case {
    int32_t terminal;
    void (Drel::*send)();
    Bytes bytes;
  };
  for (const Case& c : {Case{12, &Drel::AttachTerminal, {0x31, 0x32, 0x61}},
                        Case{0, &Drel::AbortTerminal, {0x30, 0x41}},
                        Case{-3, &Drel::DetachTerminal, {'-', '3', 0x64}}}) {
    Drel own(Factories());
    auto recorder = std::make_shared<RecordingMessageSender>();
    own.Initialize(trace, recorder, 64, c.terminal);
    (own.*c.send)();
    EXPECT_THAT(recorder->Messages(), ElementsAre(c.bytes));
    // The buffer gave its bytes away: the worker's closing SendData of the
    // same cycle does not send the control message a second time.
    own.SendData();
    EXPECT_EQ(recorder->Messages().size(), 1u);
  }
}

TEST_F(DrelFraming, RemoteStatusRequestIsOnlyStarted) {
  drel.RequestTerminalRStatus(5);
  EXPECT_TRUE(sender->Messages().empty());
  EXPECT_EQ(drel.OutBufLen(), 2);
  drel.SendData();
  EXPECT_THAT(sender->Messages(), ElementsAre(Bytes{0x35, 0x58}));
}

TEST_F(DrelFraming, ScreenMessageWithoutCommandsIsNotSent) {
  drel.SendData();
  EXPECT_TRUE(sender->Messages().empty());
  drel.OutBufPutCh(0x6C);
  drel.SendData();
  EXPECT_THAT(sender->Messages(), ElementsAre(Bytes{0x37, 0x48, 0x6C}));
}

TEST_F(DrelFraming, MessageBytesTravelUnchanged) {
  Bytes body{0x00, 0xFF, 0x11, 0x80, 0x0D};
  drel.OutBufPut(5, body);
  EXPECT_THAT(Flush(), ElementsAreArray(body));
}

TEST_F(DrelFraming, FlushesOnlyPastTheMessageLimit) {
  Fill(340);
  drel.SendRawData(u"0123456789");  // 350 bytes exactly: still one message
  EXPECT_TRUE(sender->Messages().empty());

  Fill(340);
  drel.SendRawData(u"0123456789A");  // 351 would pass the limit
  ASSERT_EQ(sender->Messages().size(), 1u);
  EXPECT_EQ(sender->Messages()[0].size(), 340u);
  EXPECT_THAT(Flush(), ElementsAreArray(u"0123456789A", u"0123456789A" + 11));
}

TEST_F(DrelFraming, OversizeCommandGoesWholeIntoAMessageOfItsOwn) {
  drel.OutBufPutCh('E');
  const std::u16string big(400, u'z');
  drel.SendRawData(big);
  ASSERT_EQ(sender->Messages().size(), 1u);
  EXPECT_THAT(sender->Messages()[0], ElementsAre('7', 'H', 'E'));
  EXPECT_EQ(Flush().size(), 400u);
}

TEST_F(DrelFraming, RestartedMessageKeepsTheCurrentFunctionCode) {
  drel.StartMessage(kTerminal, 'X');
  drel.OutBufPut(340, Bytes(340, 'x'));
  drel.SendRawData(u"0123456789");
  ASSERT_EQ(sender->Messages().size(), 1u);
  drel.SendData();
  const Bytes second = sender->Messages().at(1);
  EXPECT_EQ(Bytes(second.begin(), second.begin() + 2), (Bytes{'7', 'X'}));
  EXPECT_EQ(second.size(), 12u);
}

TEST_F(DrelFraming, StartMessageDiscardsUnsentBytes) {
  drel.OutBufPutStr(u"abc");
  drel.StartMessage(42, 'H');
  EXPECT_EQ(drel.OutBufLen(), 3);
  drel.OutBufPutCh('E');
  drel.SendData();
  EXPECT_THAT(sender->Messages(), ElementsAre(Bytes{'4', '2', 'H', 'E'}));
}

TEST_F(DrelFraming, AfterTerminateNothingIsSentAndNothingRaised) {
  drel.OutBufPutCh('E');
  drel.Terminate();
  EXPECT_NO_THROW(drel.SendData());
  EXPECT_TRUE(sender->Messages().empty());
  EXPECT_EQ(drel.Parameters(), nullptr);
}

TEST_F(DrelFraming, InitializeTracesOnTheGivenTrace) {
  EXPECT_TRUE(trace->HasLine(3, u"Initialize", u"Trace created"));
  EXPECT_EQ(trace->Records().front().objectName, u"Drel");
  EXPECT_EQ(trace->Records().front().component, u"CarrowinZVK");
}

TEST(DrelLifecycle, BufferOperationsBeforeInitializeAreObjectNotSet) {
  auto trace = std::make_shared<MemoryProcessTrace>();
  HostFactories f;
  f.processTrace = [trace] { return trace; };
  Drel drel(f);
  const std::function<void()> calls[] = {
      [&] { drel.SendData(); },          [&] { drel.StartMessage(1, 'H'); },
      [&] { drel.OutBufReset(); },       [&] { drel.OutBufPutCh(1); },
      [&] { (void)drel.OutBufLen(); },   [&] { drel.SendRawData(u"x"); },
      [&] { drel.AttachTerminal(); },    [&] { drel.RequestTerminalRStatus(1); },
  };
  for (const auto& call : calls) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kObjectNotSet);
      EXPECT_EQ(e.Description(), u"The Drel object is not initialised");
    }
  }
}

TEST(DrelLifecycle, StateStartsAtItsDefaults) {
  Drel drel;
  EXPECT_FALSE(drel.ErrorBellTone());
  EXPECT_EQ(drel.LastOpenField(), -1);
  EXPECT_EQ(drel.PrinterPortPassPacketSize(), 32);
  EXPECT_EQ(drel.Codepage(), 0);
  EXPECT_EQ(drel.PrinterCodepage(), 0);
  EXPECT_FALSE(drel.HandleHebrewDisplay());
}

}  // namespace
}  // namespace carrowin
