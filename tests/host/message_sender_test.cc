#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <thread>
#include <vector>

#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/error.h"
#include "carrowin/host/recording_message_sender.h"
#include "raises_error.h"

namespace carrowin {
namespace {

using testing::ElementsAre;

std::vector<uint8_t> EveryByteValue() {
  std::vector<uint8_t> bytes(256);
  std::iota(bytes.begin(), bytes.end(), 0);
  return bytes;
}

// Messages the terminal network must receive exactly: zero bytes, bytes that
// end C strings, bytes above 0x7F, odd lengths, empty messages.
const std::vector<std::vector<uint8_t>>& AwkwardMessages() {
  static const std::vector<std::vector<uint8_t>> messages = {
      {},
      {0x00},
      {0xFF},
      {'1', '2', 'H', 0x00, 0x80, 0xFF, 0x00},
      EveryByteValue(),
  };
  return messages;
}

TEST(CallbackMessageSender, HandsEveryByteToTheCallbackUnchanged) {
  std::vector<std::vector<uint8_t>> received;
  CallbackMessageSender sender([&received](std::span<const uint8_t> message) {
    received.emplace_back(message.begin(), message.end());
  });
  for (const auto& message : AwkwardMessages()) sender.Send(message);
  EXPECT_EQ(received, AwkwardMessages());
}

TEST(CallbackMessageSender, EmptyCallbackIsRefusedAtConstruction) {
  EXPECT_THAT([] { CallbackMessageSender sender{CallbackMessageSender::Callback()}; },
              RaisesError(errors::kInvalidProcedureCall, u"callback is empty"));
}

TEST(CallbackMessageSender, CallbackFailureReachesTheSender) {
  CallbackMessageSender sender([](std::span<const uint8_t>) {
    RaiseError(errors::kApiFailure, u"Network", u"link down");
  });
  const std::vector<uint8_t> message{'1', 'A'};
  EXPECT_THAT([&] { sender.Send(message); }, RaisesError(errors::kApiFailure, u"link down"));
}

TEST(RecordingMessageSender, RecordsEveryByteInOrderAndClears) {
  RecordingMessageSender sender;
  for (const auto& message : AwkwardMessages()) sender.Send(message);
  EXPECT_EQ(sender.Messages(), AwkwardMessages());

  sender.Clear();
  EXPECT_TRUE(sender.Messages().empty());
  const std::vector<uint8_t> next{'7', 'H', 0xFE};
  sender.Send(next);
  EXPECT_THAT(sender.Messages(), ElementsAre(next));
}

TEST(RecordingMessageSender, KeepsACopyOfBytesValidOnlyDuringTheCall) {
  RecordingMessageSender sender;
  std::vector<uint8_t> scratch{'1', 'H', 'x'};
  sender.Send(scratch);
  scratch.assign(3, 0);
  EXPECT_THAT(sender.Messages(), ElementsAre(ElementsAre('1', 'H', 'x')));
}

TEST(RecordingMessageSender, LosesNothingWhenSeveralWorkersSendWhileAToolReads) {
  RecordingMessageSender sender;
  constexpr int kWorkers = 4;
  constexpr int kMessagesEach = 500;
  {
    std::vector<std::jthread> workers;
    for (int w = 0; w < kWorkers; ++w) {
      workers.emplace_back([&sender, w] {
        for (int i = 0; i < kMessagesEach; ++i) {
          const std::vector<uint8_t> message{static_cast<uint8_t>(w), static_cast<uint8_t>(i)};
          sender.Send(message);
        }
      });
    }
    std::jthread reader([&sender] {
      for (int i = 0; i < 50; ++i) (void)sender.Messages();
    });
  }
  const auto messages = sender.Messages();
  ASSERT_EQ(messages.size(), static_cast<size_t>(kWorkers * kMessagesEach));
  // Each worker's messages stay in the order it sent them.
  std::vector<int> nextOf(kWorkers, 0);
  for (const auto& message : messages) {
    ASSERT_EQ(message.size(), 2u);
    EXPECT_EQ(message[1], static_cast<uint8_t>(nextOf[message[0]]++));
  }
}

}  // namespace
}  // namespace carrowin
