#include <gtest/gtest.h>

#include <span>

#include "carrowin/host/growing_circ_buffer.h"
#include "support/drel_fixture.h"
#include "support/expect_error.h"
#include "support/hollow_trace.h"
#include "support/vector_circ_buffer.h"

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

TEST_F(DrelFraming, CommandsAfterASendOrOutsideAMessageTravelInAFramedMessage) {
  drel.Bell();
  drel.SendData();
  // Two bytes, exactly as long as the header "7H": sent all the same.
  drel.SelectPage(94);
  drel.SendData();
  // After a control message and after a reset no message is open: the next
  // command opens a screen message of the own terminal.
  drel.AttachTerminal();
  drel.LockKeyboard();
  drel.SendData();
  drel.OutBufReset();
  drel.Wake(3);
  drel.SendData();
  drel.SendData();  // nothing left: the restarted header alone is not sent
  const std::vector<std::string> expected = {"7H#", "7Hs\x8E", "7a", "7Hl", "7HW3"};
  ASSERT_EQ(MessagesSent(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Sent(i), expected[i]) << i;
}

TEST_F(DrelFraming, StartingAMessageSendsTheCommandsOfTheOneBeforeResetDiscardsThem) {
  drel.OutBufReset();
  drel.Bell();  // between cycles: no message was started
  drel.StartMessage(kTerminal, 'H');
  drel.ClearAll();
  drel.ParameterQuery();  // starts its own message after sending "C"
  drel.SendData();
  drel.LockKeyboard();
  drel.OutBufReset();
  drel.AbortTerminal();
  const std::vector<std::string> expected = {"7H#", "7HC", "7H!", "7A"};
  ASSERT_EQ(MessagesSent(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(Sent(i), expected[i]) << i;
}

TEST_F(DrelFraming, RawBytesWithoutAMessageAreTheApplicationsOwnFraming) {
  drel.OutBufReset();
  drel.OutBufPutStr(u"12H");
  drel.Bell();
  drel.SendData();
  EXPECT_EQ(Sent(0), "12H#");
  drel.Bell();  // the application's message is gone: a message of the own terminal
  drel.SendData();
  EXPECT_EQ(Sent(1), "7H#");
}

// A sender that refuses the next `failures` messages, as a network that is
// briefly down does.
class FlakySender : public MessageSender {
 public:
  void Send(std::span<const uint8_t> message) override {
    if (failures > 0) {
      --failures;
      RaiseError(errors::kPathFileAccessError, u"FlakySender", u"Network unreachable");
    }
    messages.emplace_back(message.begin(), message.end());
  }
  int failures = 0;
  std::vector<std::string> messages;
};

TEST(DrelRetry, AMessageTheSenderRefusedIsDeliveredOnceByTheRetry) {
  auto flaky = std::make_shared<FlakySender>();
  Drel drel;
  drel.Initialize(std::make_shared<MemoryProcessTrace>(), flaky, 64, 7);
  drel.StartMessage(7, 'H');
  drel.Bell();
  flaky->failures = 1;
  testing_support::ExpectError([&] { drel.SendData(); }, errors::kPathFileAccessError,
                               u"Network unreachable");
  drel.SendData();
  drel.SendData();
  // A flush that fails leaves the command unwritten and the message whole.
  drel.SendRawData(std::u16string(340, u'x'));
  flaky->failures = 1;
  EXPECT_THROW(drel.SendRawData(u"0123456789"), Error);
  drel.SendRawData(u"0123456789");
  drel.SendData();
  // A control message refused by the sender goes out once when retried.
  flaky->failures = 1;
  EXPECT_THROW(drel.DetachTerminal(), Error);
  drel.SendData();
  drel.SendData();
  const std::vector<std::string> expected = {"7H#", "7H" + std::string(340, 'x'), "7H0123456789",
                                             "7d"};
  EXPECT_EQ(flaky->messages, expected);
}

TEST(DrelRetry, ABufferThatKeepsWhatGetReturnsSendsEachMessageOnce) {
  auto sender = std::make_shared<RecordingMessageSender>();
  Drel drel(HostFactories{{}, {}, {}, [] {
                            return std::make_shared<testing_support::VectorCircBuffer>(
                                /*getKeepsBytes=*/true);
                          }});
  drel.Initialize(std::make_shared<MemoryProcessTrace>(), sender, 64, 3);
  drel.AttachTerminal();
  drel.SendData();
  drel.Bell();
  drel.SendData();
  drel.SendData();
  const std::vector<std::vector<uint8_t>> expected = {{'3', 'a'}, {'3', 'H', '#'}};
  EXPECT_EQ(sender->Messages(), expected);
}

TEST(DrelInitialize, TracesOnTheGivenTraceAndReportsThroughIt) {
  auto own = std::make_shared<MemoryProcessTrace>();
  auto given = std::make_shared<MemoryProcessTrace>();
  Drel drel(HostFactories{[own] { return own; }, {}, {}, {}});
  drel.Initialize(given, std::make_shared<RecordingMessageSender>(), 64, 7);
  ASSERT_EQ(given->Records().size(), 1u);
  EXPECT_EQ(given->Records()[0].objectName, u"Drel");
  EXPECT_TRUE(given->HasLine(3, u"Initialize", u"Trace created"));
  // An error the object detects itself goes to the reporter of the new trace.
  drel.SetCodepage(12345);
  ASSERT_EQ(given->Errors().size(), 1u);
  EXPECT_EQ(given->Errors()[0].procedure, u"Codepage");
  EXPECT_TRUE(own->Errors().empty());
}

TEST(DrelInitialize, AFailedBindingLeavesTheObjectAsItWas) {
  auto sender = std::make_shared<RecordingMessageSender>();
  auto trace = std::make_shared<MemoryProcessTrace>();
  Drel drel;
  EXPECT_THROW(drel.Initialize(trace, sender, -1, 7), Error);
  testing_support::ExpectError([&] { drel.Bell(); }, errors::kObjectNotSet,
                               u"The Drel object is not initialised");
  drel.Initialize(trace, sender, 64, 7);
  EXPECT_THROW(drel.Initialize(trace, nullptr, -1, 8), Error);
  drel.Bell();
  drel.SendData();
  const std::vector<std::vector<uint8_t>> expected = {{'7', 'H', '#'}};
  EXPECT_EQ(sender->Messages(), expected);
}

TEST(DrelInitialize, AHostObjectThatHandsBackNothingIsError91) {
  using testing_support::HollowTrace;
  auto sender = std::make_shared<RecordingMessageSender>();
  Drel drel;
  testing_support::ExpectError(
      [&] { drel.Initialize(std::make_shared<HollowTrace>(true), sender, 64, 7); },
      errors::kObjectNotSet, u"The process trace gave no trace writer for Drel");
  testing_support::ExpectError(
      [&] { drel.Initialize(std::make_shared<HollowTrace>(false), sender, 64, 7); },
      errors::kObjectNotSet, u"The trace writer of Drel gave no error reporter");
  testing_support::ExpectError(
      [] {
        Drel made(HostFactories{[] { return std::make_shared<HollowTrace>(true); }, {}, {}, {}});
      },
      errors::kObjectNotSet, u"The process trace gave no trace writer for Drel");
  EXPECT_THROW(drel.Bell(), Error);  // still unbound
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
