#include "carrowin/host/in_process_thread.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "carrowin/host/error.h"
#include "carrowin/host/in_process_inbound_message.h"
#include "raises_error.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;
using testing::ElementsAre;

std::vector<uint8_t> BytesOf(InboundMessage& message) { return message.Data().ToByteArray(); }

TEST(InProcessThread, HandsOutMessagesInTheOrderPostedThenNothing) {
  InProcessThread thread;
  EXPECT_EQ(thread.NextMessage(), nullptr);
  thread.PostBytes({'R', 'F', '3', '5'});
  thread.Post(InProcessInboundMessage::FromBytes({'1', '2', 'A'}, 2));
  EXPECT_EQ(thread.PendingMessages(), 2u);

  auto first = thread.NextMessage();
  ASSERT_NE(first, nullptr);
  EXPECT_THAT(BytesOf(*first), ElementsAre('R', 'F', '3', '5'));
  EXPECT_EQ(first->FunctionCode(), 'R');
  auto second = thread.NextMessage();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->FunctionCode(), 'A');
  EXPECT_EQ(second->PositionFC(), 2);
  EXPECT_EQ(thread.NextMessage(), nullptr);
  EXPECT_EQ(thread.PendingMessages(), 0u);
}

TEST(InProcessThread, RefusesWhatIsNotAMessageWithoutQueueingIt) {
  InProcessThread thread;
  EXPECT_THAT([&] { thread.Post(nullptr); }, RaisesError(errors::kObjectNotSet, u"Nothing"));
  EXPECT_THAT([&] { thread.PostBytes({'1', '2'}, 2); },
              RaisesError(errors::kSubscriptOutOfRange, u"position 2"));
  EXPECT_THAT([&] { thread.PostBytes({}); }, RaisesError(errors::kSubscriptOutOfRange, u"0 bytes"));
  EXPECT_EQ(thread.PendingMessages(), 0u);
}

TEST(InProcessThread, KeepsEachProducersOrderWhenFedFromSeveralThreads) {
  InProcessThread thread;
  constexpr int kProducers = 4;
  constexpr int kMessagesEach = 300;
  std::vector<std::vector<uint8_t>> taken;
  {
    std::vector<std::jthread> producers;
    for (int p = 0; p < kProducers; ++p) {
      producers.emplace_back([&thread, p] {
        for (int i = 0; i < kMessagesEach; ++i) {
          thread.PostBytes({'R', static_cast<uint8_t>(p), static_cast<uint8_t>(i / 256),
                            static_cast<uint8_t>(i % 256)});
        }
      });
    }
    // The worker drains while the producers are still posting.
    std::jthread worker([&] {
      while (taken.size() < kProducers * kMessagesEach) {
        if (auto message = thread.NextMessage()) {
          taken.push_back(BytesOf(*message));
        } else {
          thread.WaitForMessage(10ms);
        }
      }
    });
  }
  ASSERT_EQ(taken.size(), static_cast<size_t>(kProducers * kMessagesEach));
  std::vector<int> nextOf(kProducers, 0);
  for (const auto& bytes : taken) {
    ASSERT_EQ(bytes.size(), 4u);
    EXPECT_EQ(bytes[2] * 256 + bytes[3], nextOf[bytes[1]]++);
  }
  EXPECT_EQ(thread.NextMessage(), nullptr);
}

TEST(InProcessThread, WaitForMessageWakesOnAPostOrAStopRequestAndOtherwiseTimesOut) {
  InProcessThread thread;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(thread.WaitForMessage(30ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);

  {
    std::jthread poster([&] {
      std::this_thread::sleep_for(20ms);
      thread.PostBytes({'A'});
    });
    EXPECT_TRUE(thread.WaitForMessage(10s));
  }
  // Waiting takes nothing from the queue.
  EXPECT_EQ(thread.PendingMessages(), 1u);
  ASSERT_NE(thread.NextMessage(), nullptr);

  std::jthread stopper([&] {
    std::this_thread::sleep_for(20ms);
    thread.RequestStop();
  });
  EXPECT_TRUE(thread.WaitForMessage(10s));
  EXPECT_TRUE(thread.StopRequested());
}

TEST(InProcessThread, ApplicationSeesTheTerminalStopFromAnotherThread) {
  InProcessThread thread;
  EXPECT_FALSE(thread.StopRequested());
  EXPECT_FALSE(thread.WaitUntilStopped(20ms));

  // A worker that behaves like the terminal's processing cycle.
  std::jthread worker([&] {
    while (!thread.StopRequested()) thread.WaitForMessage(1s);
    thread.SetStopped(true);
  });
  thread.RequestStop();
  EXPECT_TRUE(thread.WaitUntilStopped(10s));
  EXPECT_TRUE(thread.Stopped());
}

TEST(InProcessThread, ReportsWhatTheTerminalTellsIt) {
  InProcessThread thread;
  EXPECT_FALSE(thread.ApplicationMode());
  thread.SetApplicationMode(true);
  EXPECT_TRUE(thread.ApplicationMode());
  thread.SetApplicationMode(false);
  EXPECT_FALSE(thread.ApplicationMode());

  // Two messages: the first handled in full, the second failed mid-way and
  // was never ended.
  thread.BeginMessage();
  EXPECT_TRUE(thread.InMessage());
  thread.EndMessage();
  EXPECT_FALSE(thread.InMessage());
  thread.BeginMessage();
  EXPECT_TRUE(thread.InMessage());
  EXPECT_EQ(thread.BegunMessages(), 2);
  EXPECT_EQ(thread.EndedMessages(), 1);
}

}  // namespace
}  // namespace carrowin
