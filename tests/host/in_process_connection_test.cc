#include "carrowin/host/in_process_connection.h"

#include <gtest/gtest.h>

#include <memory>

#include "carrowin/host/error.h"
#include "carrowin/host/recording_message_sender.h"
#include "raises_error.h"

namespace carrowin {
namespace {

TEST(InProcessConnection, HandsOutItsSenderAndBufferSize) {
  auto sender = std::make_shared<RecordingMessageSender>();
  InProcessConnection connection(sender, 400);
  EXPECT_EQ(connection.Sender(), sender);
  EXPECT_EQ(connection.OutputBufferSize(), 400);
  EXPECT_EQ(InProcessConnection(sender).OutputBufferSize(),
            InProcessConnection::kDefaultOutputBufferSize);
}

TEST(InProcessConnection, RefusesNoSenderAndANegativeSize) {
  EXPECT_THAT([] { InProcessConnection connection(nullptr); },
              RaisesError(errors::kObjectNotSet, u"no message sender"));
  EXPECT_THAT(
      [] { InProcessConnection connection(std::make_shared<RecordingMessageSender>(), -1); },
      RaisesError(errors::kInvalidProcedureCall, u"negative"));
}

}  // namespace
}  // namespace carrowin
