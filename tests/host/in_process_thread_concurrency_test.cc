// The inbound queue of an in-process worker is fed by the connection's
// threads while the terminal's processing cycle drains it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "carrowin/host/in_process_inbound_message.h"
#include "carrowin/host/in_process_thread.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kProducers = 4;
constexpr int kMessagesEach = 250;
constexpr size_t kMessages = size_t{kProducers} * kMessagesEach;

// Message i of producer p: "R", p, then i in two bytes. Half of them go
// through Post, half through PostBytes, as both are offered to any thread.
void Produce(InProcessThread& thread, uint8_t producer) {
  for (int i = 0; i < kMessagesEach; ++i) {
    Bytes bytes{'R', producer, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
    if (i % 2 == 0) {
      thread.PostBytes(std::move(bytes));
    } else {
      thread.Post(InProcessInboundMessage::FromBytes(std::move(bytes)));
    }
  }
}

// What the terminal's cycle does: take one message per cycle between
// BeginMessage and EndMessage, until all arrived or a deadline passes (so a
// lost message fails the test instead of hanging it).
std::vector<Bytes> Consume(InProcessThread& thread) {
  std::vector<Bytes> taken;
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (taken.size() < kMessages && std::chrono::steady_clock::now() < deadline) {
    thread.WaitForMessage(10ms);
    const auto message = thread.NextMessage();
    if (!message) continue;
    thread.BeginMessage();
    taken.push_back(message->Data().ToByteArray());
    thread.EndMessage();
  }
  return taken;
}

TEST(InProcessThreadConcurrency, EveryPostedMessageIsTakenOnceInEachProducersOrder) {
  InProcessThread thread;
  std::vector<Bytes> taken;
  std::atomic<bool> draining = true;
  std::atomic<int> unbalanced = 0;
  {
    std::vector<std::jthread> producers;
    for (uint8_t p = 0; p < kProducers; ++p) {
      producers.emplace_back([&thread, p] { Produce(thread, p); });
    }
    std::jthread worker([&] {
      taken = Consume(thread);
      draining = false;
    });
    // The application watches the counters meanwhile: messages are never
    // ended before they are begun, and the counts never go back.
    int64_t lastBegun = 0;
    while (draining) {
      const int64_t ended = thread.EndedMessages();
      const int64_t begun = thread.BegunMessages();
      unbalanced += ended > begun || begun < lastBegun;
      lastBegun = begun;
      std::this_thread::yield();
    }
  }
  EXPECT_EQ(unbalanced, 0);
  ASSERT_EQ(taken.size(), kMessages);
  std::vector<int> nextOf(kProducers, 0);
  for (const Bytes& bytes : taken) {
    ASSERT_EQ(bytes.size(), 4u);
    ASSERT_LT(bytes[1], kProducers);
    EXPECT_EQ((bytes[2] << 8) | bytes[3], nextOf[bytes[1]]++) << "producer " << int{bytes[1]};
  }
  EXPECT_EQ(nextOf, std::vector<int>(kProducers, kMessagesEach));
  EXPECT_EQ(thread.PendingMessages(), 0u);
  EXPECT_EQ(thread.NextMessage(), nullptr);
  EXPECT_EQ(thread.BegunMessages(), static_cast<int64_t>(kMessages));
  EXPECT_EQ(thread.EndedMessages(), static_cast<int64_t>(kMessages));
  EXPECT_FALSE(thread.InMessage());
}

TEST(InProcessThreadConcurrency, AStopFromAnotherThreadEndsAWorkerThatProducersKeepBusy) {
  InProcessThread thread;
  std::atomic<bool> producing = true;
  std::atomic<int64_t> posted = 0;
  std::jthread producer([&] {
    for (uint8_t i = 0; producing; ++i, ++posted) thread.PostBytes({'R', i});
  });
  int64_t handled = 0;
  std::jthread worker([&] {
    while (!thread.StopRequested()) {
      thread.WaitForMessage(1min);
      handled += thread.NextMessage() != nullptr;
    }
    thread.SetStopped(true);
  });
  while (posted == 0) std::this_thread::yield();
  thread.RequestStop();
  EXPECT_TRUE(thread.WaitUntilStopped(20s));
  producing = false;
  producer.join();
  worker.join();
  // Whatever the worker left stays queued: nothing is dropped by stopping.
  EXPECT_EQ(handled + static_cast<int64_t>(thread.PendingMessages()), posted.load());
}

}  // namespace
}  // namespace carrowin
