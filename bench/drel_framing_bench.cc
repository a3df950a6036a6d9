// Framing and flushing of a stream of small screen commands: the cost of
// CheckForSend and SendData per byte that reaches the sender.
#include <benchmark/benchmark.h>

#include <memory>
#include <span>

#include "carrowin/drel/drel.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/message_sender.h"
#include "support/allocation_counter.h"

namespace carrowin {
namespace {

// Counts what it is given and keeps nothing, so the benchmark measures the
// encoder rather than a recording container.
class CountingSender : public MessageSender {
 public:
  void Send(std::span<const uint8_t> message) override {
    bytes += static_cast<int64_t>(message.size());
    ++messages;
  }
  int64_t bytes = 0;
  int64_t messages = 0;
};

void BM_FrameSmallCommands(benchmark::State& state) {
  const auto commandsPerReply = static_cast<int>(state.range(0));
  auto trace = std::make_shared<MemoryProcessTrace>(0);
  auto sender = std::make_shared<CountingSender>();
  HostFactories factories;
  factories.processTrace = [trace] { return trace; };
  Drel drel(factories);
  drel.Initialize(trace, sender, 4096, 17);
  // A six-byte command, flushed through the same path every command uses.
  const std::u16string command = u"f1AB00";

  const auto reply = [&] {
    drel.StartMessage(17, 'H');
    for (int i = 0; i < commandsPerReply; ++i) drel.SendRawData(command);
    drel.SendData();
  };
  reply();  // grows the buffers outside the counts
  sender->bytes = sender->messages = 0;
  const testing_support::AllocationCounter allocations;
  for (auto _ : state) reply();
  state.counters["allocations_per_reply"] =
      static_cast<double>(allocations.Count()) / static_cast<double>(state.iterations());
  state.SetBytesProcessed(sender->bytes);
  state.counters["messages_per_reply"] =
      static_cast<double>(sender->messages) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FrameSmallCommands)->Arg(10)->Arg(100)->Arg(1000);

}  // namespace
}  // namespace carrowin
