#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
#include <thread>
#include <vector>

#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/in_process_connection.h"
#include "carrowin/host/in_process_inbound_message.h"
#include "carrowin/host/in_process_thread.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;
using testing_support::ExpectError;
using Bytes = std::vector<uint8_t>;

TEST(HostServicesTest, EveryByteReachesTheSenderUnchanged) {
  Bytes everyByte(256);
  std::iota(everyByte.begin(), everyByte.end(), 0);
  // Nothing at all, every byte value.
  const std::vector<Bytes> messages = {{}, everyByte};
  std::vector<Bytes> received;
  CallbackMessageSender callback([&](std::span<const uint8_t> message) {
    received.emplace_back(message.begin(), message.end());
  });
  for (Bytes message : messages) {
    callback.Send(message);
    message.assign(message.size(), 'x');  // the sender keeps no reference to the caller's bytes
  }
  EXPECT_EQ(received, messages);
  // An inbound message keeps its bytes too, with connection framing before the function code.
  const auto inbound = InProcessInboundMessage::FromBytes({'1', '2', 'R', 0x00, 0xFF}, 2);
  EXPECT_EQ(inbound->Data().ToByteArray(), (Bytes{'1', '2', 'R', 0x00, 0xFF}));
  EXPECT_EQ(inbound->FunctionCode(), 'R');
}

TEST(HostServicesTest, RefusalsAreClearErrors) {
  struct BadIndex {
    Bytes bytes;
    int32_t length, positionFC;
    std::u16string_view description;
  };
  const BadIndex badIndexes[] = {
      {{'R'}, 1, -1, u"Function code position -1 is outside a message of 1 bytes"},
      {{'1', 'R'}, 2, 2, u"Function code position 2 is outside a message of 2 bytes"},
      {{'R'}, -1, 0, u"Message length -1 is outside a message of 1 bytes"},
  };
  for (const BadIndex& bad : badIndexes) {
    ExpectError([&] { InProcessInboundMessage(bad.bytes, bad.length, 'R', bad.positionFC); },
                errors::kSubscriptOutOfRange, bad.description);
  }
  InProcessThread thread;
  ExpectError([&] { thread.Post(nullptr); }, errors::kObjectNotSet,
              u"The message to queue is Nothing");
  ExpectError([] { InProcessConnection connection(nullptr); }, errors::kObjectNotSet,
              u"The connection has no message sender");
  ExpectError([] { CallbackMessageSender sender{CallbackMessageSender::Callback()}; },
              errors::kInvalidProcedureCall, u"The message callback is empty");
  CallbackMessageSender failing(
      [](std::span<const uint8_t>) { RaiseError(errors::kApiFailure, u"Network", u"link down"); });
  ExpectError([&] { failing.Send(Bytes{'1', 'A'}); }, errors::kApiFailure, u"link down");
}

TEST(HostServicesTest, InProcessWaitsEndOnAPostOrAStopAndOtherwiseTimeOut) {
  InProcessThread thread;
  EXPECT_FALSE(thread.WaitForMessage(20ms));
  std::jthread poster([&] {
    std::this_thread::sleep_for(20ms);
    thread.PostBytes({'A'});
  });
  EXPECT_TRUE(thread.WaitForMessage(10s));
  ASSERT_NE(thread.NextMessage(), nullptr);  // waiting takes nothing from the queue
  // A worker like the terminal's processing cycle, woken by the stop request.
  std::jthread worker([&] {
    while (!thread.StopRequested()) thread.WaitForMessage(1min);
    thread.SetStopped(true);
  });
  std::this_thread::sleep_for(20ms);
  thread.RequestStop();
  EXPECT_TRUE(thread.WaitUntilStopped(10s));
}

}  // namespace
}  // namespace carrowin
