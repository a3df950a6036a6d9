// The inbound queue of an in-process worker is fed by the connection's
// threads while the terminal's processing cycle drains it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "carrowin/host/in_process_thread.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

TEST(InProcessThreadConcurrency, EveryPostedMessageIsTakenOnceInEachProducersOrder) {
  constexpr uint8_t kProducers = 4;
  constexpr int kMessagesEach = 250;
  constexpr size_t kMessages = size_t{kProducers} * kMessagesEach;
  InProcessThread thread;
  std::vector<Bytes> taken;
  std::vector<std::jthread> producers;
  // Message i of producer p: "R", p, then i in two bytes.
  for (uint8_t p = 0; p < kProducers; ++p) {
    producers.emplace_back([&thread, p] {
      for (int i = 0; i < kMessagesEach; ++i)
        thread.PostBytes({'R', p, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)});
    });
  }
  // The terminal's cycle, until all arrived or a deadline passes (so a lost
  // message fails the test instead of hanging it).
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  while (taken.size() < kMessages && std::chrono::steady_clock::now() < deadline) {
    thread.WaitForMessage(10ms);
    if (const auto message = thread.NextMessage()) taken.push_back(message->Data().ToByteArray());
  }
  producers.clear();  // joins them
  ASSERT_EQ(taken.size(), kMessages);
  std::vector<int> nextOf(kProducers, 0);
  for (const Bytes& bytes : taken) {
    ASSERT_EQ(bytes.size(), 4u);
    ASSERT_LT(bytes[1], kProducers);
    EXPECT_EQ((bytes[2] << 8) | bytes[3], nextOf[bytes[1]]++) << "producer " << int{bytes[1]};
  }
  EXPECT_EQ(thread.NextMessage(), nullptr);
}

}  // namespace
}  // namespace carrowin
