#include <gtest/gtest.h>

#include <utility>

#include "carrowin/drel/drel.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/recording_message_sender.h"
#include "support/expect_error.h"
#include "support/hollow_trace.h"
#include "support/vector_circ_buffer.h"

namespace carrowin {
namespace {

using namespace std::string_literals;
using testing_support::ExpectError;
using Messages = std::vector<std::string>;

// The framing rules in sequence, on a buffer whose Get keeps the bytes it
// returns (the buffer contract allows it: none may be sent twice); `sent`
// takes the messages sent meanwhile.
TEST(DrelFraming, CommandsTravelInFramedMessagesEachSentOnce) {
  // The sender refuses the next `failures` messages, as a network that is
  // briefly down does.
  int failures = 0;
  Messages messages;
  const auto sent = [&messages] { return std::exchange(messages, {}); };
  Drel d(HostFactories{
      .circBuffer = [] { return std::make_shared<testing_support::VectorCircBuffer>(true); }});
  d.Initialize(std::make_shared<MemoryProcessTrace>(),
               std::make_shared<CallbackMessageSender>([&](auto message) {
                 if (failures-- > 0)
                   RaiseError(errors::kPathFileAccessError, u"Sender", u"Network unreachable");
                 messages.emplace_back(message.begin(), message.end());
               }),
               4096, -3);
  // A send restarts the header; a screen message without commands is not
  // sent, one whose commands are as long as its header is.
  d.Bell();
  d.SendData();
  d.SelectPage(94);
  d.SendData();
  d.SendData();
  EXPECT_EQ(sent(), (Messages{"-3H#", "-3Hs\x8E"}));
  // Outside a message (after a control message, after a reset) a command
  // opens a screen message of the own terminal.
  d.AttachTerminal();
  d.LockKeyboard();
  d.SendData();
  d.OutBufReset();
  d.Wake(3);
  d.SendData();
  EXPECT_EQ(sent(), (Messages{"-3a", "-3Hl", "-3HW3"}));
  // Starting a message sends the commands written before it. A control
  // message goes alone, and once: the closing send of the same cycle finds
  // nothing.
  d.Bell();
  d.StartMessage(-3, 'H');
  d.ClearAll();
  d.ParameterQuery();  // starts its own message after sending "C"
  d.SendData();
  d.DetachTerminal();
  d.SendData();
  EXPECT_EQ(sent(), (Messages{"-3H#", "-3HC", "-3H!", "-3d"}));
  // A status request waits for the send, so a reset discards it. Raw bytes
  // without a message are the application's own framing, gone once sent.
  d.RequestTerminalRStatus(5);
  d.OutBufReset();
  d.RequestTerminalRStatus(0);
  d.SendData();
  d.OutBufPutStr(u"12H");
  d.Bell();
  d.SendData();
  d.Bell();
  d.SendData();
  EXPECT_EQ(sent(), (Messages{"0X", "12H#", "-3H#"}));
  // Bytes travel as written.
  d.StartMessage(42, 'H');
  d.OutBufPut(5, {0x00, 0xFF, 0x11, 0x80, 0x0D});
  d.SendData();
  EXPECT_EQ(sent(), (Messages{"42H\0\xFF\x11\x80\r"s}));
  // A message the sender refused, and a control message, are delivered once
  // by the retry; the sender's error reaches the caller.
  d.Bell();
  failures = 1;
  ExpectError([&] { d.SendData(); }, errors::kPathFileAccessError, u"Network unreachable");
  d.SendData();
  d.SendData();
  failures = 1;
  EXPECT_THROW(d.DetachTerminal(), Error);
  d.SendData();
  d.SendData();
  EXPECT_EQ(sent(), (Messages{"42H#", "-3d"}));
  // After Terminate nothing is sent and nothing raised.
  d.Bell();
  d.Terminate();
  d.SendData();
  EXPECT_EQ(sent(), Messages{});
}

TEST(DrelInitialize, TracesOnTheGivenTraceAndReportsThroughIt) {
  auto own = std::make_shared<MemoryProcessTrace>();
  auto given = std::make_shared<MemoryProcessTrace>();
  Drel drel(HostFactories{.processTrace = [own] { return own; }});
  drel.Initialize(given, std::make_shared<RecordingMessageSender>(), 64, 7);
  EXPECT_TRUE(given->HasLine(3, u"Initialize", u"Trace created"));
  // An error the object detects itself goes to the reporter of the new trace.
  drel.SetCodepage(12345);
  ASSERT_EQ(given->Errors().size(), 1u);
  EXPECT_EQ(given->Errors()[0].procedure, u"Codepage");
  EXPECT_TRUE(own->Errors().empty());
}

TEST(DrelInitialize, AFailedBindingLeavesTheObjectAsItWas) {
  using testing_support::HollowTrace;
  auto sender = std::make_shared<RecordingMessageSender>();
  auto trace = std::make_shared<MemoryProcessTrace>();
  // An outside trace that hands back nothing is refused, not dereferenced.
  EXPECT_THROW(
      Drel(HostFactories{.processTrace = [] { return std::make_shared<HollowTrace>(true); }}),
      Error);
  Drel drel;
  EXPECT_THROW(drel.Initialize(std::make_shared<HollowTrace>(false), sender, 64, 7), Error);
  EXPECT_THROW(drel.Initialize(trace, sender, -1, 7), Error);
  ExpectError([&] { drel.Bell(); }, errors::kObjectNotSet, u"The Drel object is not initialised");
  GrowingCircBuffer list;  // the command-list forms need no binding
  drel.BellGetDrel(list);
  EXPECT_EQ(list.Length(), 1);
  drel.Initialize(trace, sender, 64, 7);
  EXPECT_THROW(drel.Initialize(trace, nullptr, -1, 8), Error);
  drel.Bell();
  drel.SendData();
  EXPECT_EQ(sender->Messages(), (std::vector<std::vector<uint8_t>>{{'7', 'H', '#'}}));
}

}  // namespace
}  // namespace carrowin
