#include <gtest/gtest.h>

#include <chrono>
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
using testing_support::RaisedBy;
using Bytes = std::vector<uint8_t>;

TEST(HostServicesTest, RefusalsAreClearErrors) {
  ExpectError(
      [] {
        InProcessInboundMessage(Bytes{'1', 'R'}, 2, 'R', 2);
      },
      errors::kSubscriptOutOfRange, u"Function code position 2 is outside a message of 2 bytes");
  EXPECT_EQ(RaisedBy([] { InProcessInboundMessage(Bytes{'R'}, -1, 'R', 0); }).Number(),
            errors::kSubscriptOutOfRange);
  InProcessThread thread;
  ExpectError([&] { thread.Post(nullptr); }, errors::kObjectNotSet,
              u"The message to queue is Nothing");
  EXPECT_EQ(RaisedBy([] { InProcessConnection connection(nullptr); }).Number(),
            errors::kObjectNotSet);
  ExpectError([] { CallbackMessageSender sender{CallbackMessageSender::Callback()}; },
              errors::kInvalidProcedureCall, u"The message callback is empty");
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
