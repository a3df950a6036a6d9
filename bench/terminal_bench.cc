// The worker's processing cycle: a Response from the terminal (three field
// updates and a function key) posted to the terminal's queue and taken by
// `ExecuteBackground`, whose page handler redraws the picking page, so that
// every reply is a full draw. Measured at status level 0 (no status record)
// and level 3 (every status value of the cycle written to the site's
// in-memory settings store), for one terminal and for many served in turn,
// each with its own queue: the cost per message should not depend on how
// many terminals the site has.
//
// A site of 100,000 terminals takes about ten seconds and nearly 2 GB to
// build, too much for the short run of every benchmark that scripts/test.sh
// makes; it is registered only when the environment variable
// CARROWIN_BENCH_LARGE is set (to anything but "0"):
//
//     CARROWIN_BENCH_LARGE=1 build/release/bench/carrowin_bench --benchmark_filter=Terminal

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/carrowin.h"
#include "counted_terminal.h"
#include "support/allocation_counter.h"

namespace carrowin {
namespace {

using bench_support::CountedTerminal;

constexpr int32_t kSmallSite = 1000;
constexpr int32_t kLargeSite = 100000;

// A Response as the terminal sends it after the operator filled the picking
// page and pressed function key 1 in the Confirm field: "=" records for the
// location, item and quantity fields (field number and length as byte + 48),
// then the "F" record (key, field number).
std::vector<uint8_t> PickingResponse(std::string_view quantity) {
  std::string message = "R";
  const auto addUpdate = [&message](char fieldNumber, std::string_view text) {
    message += '=';
    message += static_cast<char>(fieldNumber + '0');
    message += static_cast<char>(static_cast<char>(text.size()) + '0');
    message += text;
  };
  addUpdate(6, "B-04-11");
  addUpdate(7, "NUT-M8");
  addUpdate(8, quantity);
  message += "F1";
  message += static_cast<char>(10 + '0');
  return std::vector<uint8_t>(message.begin(), message.end());
}

// One terminal of the site with its own queue.
struct QueuedTerminal {
  CountedTerminal counted;
  std::shared_ptr<InProcessThread> thread;
};

// Terminals "T1" to "Tn" of one settings store, each with the picking page
// on its screen; its function key handler displays the page again. Building
// records the heap the site holds and the time it took.
class Site {
 public:
  explicit Site(int32_t terminalCount) {
    const auto start = std::chrono::steady_clock::now();
    const testing_support::AllocationCounter heap;
    terminals_.reserve(static_cast<size_t>(terminalCount));
    for (int32_t i = 1; i <= terminalCount; ++i) terminals_.push_back(AddTerminal(i));
    // One message each, so that the heap counted is what the terminals hold
    // in service: their queues and replies have had their first use.
    ServeRound();
    liveBytes_ = heap.LiveBytes();
    buildSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  int32_t TerminalCount() const { return static_cast<int32_t>(terminals_.size()); }
  int32_t StatusLevel() const { return statusLevel_; }
  double BuildSeconds() const { return buildSeconds_; }
  /// The heap the site holds: its terminals with their pages and queues, and
  /// their records in the store.
  int64_t LiveBytes() const { return liveBytes_; }

  /// Sets every terminal's status level, then serves each one message so
  /// that its status record holds the values of that level.
  void SetStatusLevel(int32_t level) {
    const testing_support::AllocationCounter heap;
    for (int32_t i = 1; i <= TerminalCount(); ++i) {
      store_->SetSetting(u"Terminal", ObjectID(i), u"statusUpdateLevel", Variant(level));
    }
    ServeRound();
    statusLevel_ = level;
    liveBytes_ += heap.LiveBytes();
  }

  /// Posts the next terminal its response and has its worker process it;
  /// the terminals take turns, and every terminal's quantity alternates.
  void ServeNext() {
    QueuedTerminal& next = terminals_[next_];
    next.thread->PostBytes(responses_[round_]);
    next.counted.terminal->ExecuteBackground();
    if (++next_ == terminals_.size()) {
      next_ = 0;
      round_ ^= 1;
    }
  }

  /// The bytes sent by all terminals so far.
  int64_t SentBytes() const {
    int64_t bytes = 0;
    for (const QueuedTerminal& queued : terminals_) bytes += *queued.counted.sentBytes;
    return bytes;
  }

 private:
  static std::u16string ObjectID(int32_t number) {
    const std::string digits = std::to_string(number);
    return u"T" + std::u16string(digits.begin(), digits.end());
  }

  QueuedTerminal AddTerminal(int32_t number) {
    const std::u16string objectID = ObjectID(number);
    bench_support::AddTerminalRecord(*store_, objectID);
    QueuedTerminal queued{bench_support::MakeTerminal(store_, objectID),
                          std::make_shared<InProcessThread>()};
    queued.counted.terminal->SetThread(queued.thread);
    const std::shared_ptr<Page> page = bench_support::AddPickingPage(*queued.counted.terminal);
    // The page owns the event, so the handler outlives neither.
    page->evtFunctionKey.Connect(
        [shown = page.get()](int32_t&, std::u16string&) { shown->Display(u"Loc"); });
    page->Display(u"Loc");
    queued.counted.terminal->Drel()->SendData();
    return queued;
  }

  void ServeRound() {
    for (size_t i = 0; i < terminals_.size(); ++i) ServeNext();
  }

  const std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();
  const std::vector<uint8_t> responses_[2] = {PickingResponse("12"), PickingResponse("250")};
  std::vector<QueuedTerminal> terminals_;
  size_t next_ = 0;
  size_t round_ = 0;
  int32_t statusLevel_ = 0;
  int64_t liveBytes_ = 0;
  double buildSeconds_ = 0;
};

// The site of the last run, kept for the next run of the same size: the
// benchmark runs several times to find its iteration count, and a large site
// takes long to build.
Site& SiteOf(int32_t terminalCount) {
  static std::unique_ptr<Site> site;
  if (!site || site->TerminalCount() != terminalCount) {
    site.reset();  // one site at a time
    site = std::make_unique<Site>(terminalCount);
  }
  return *site;
}

// Arguments: the number of terminals and their status level. Reports the
// time per message, the wire bytes and heap allocations per message, the
// heap per terminal (with its status record at that level) and the seconds
// it took to build the site.
void BM_TerminalCycle(benchmark::State& state) {
  Site& site = SiteOf(static_cast<int32_t>(state.range(0)));
  const auto level = static_cast<int32_t>(state.range(1));
  if (site.StatusLevel() != level) site.SetStatusLevel(level);
  const int64_t firstBytes = site.SentBytes();
  const testing_support::AllocationCounter allocations;
  for (auto _ : state) site.ServeNext();
  if (site.SentBytes() == firstBytes) {
    // A cycle that failed sends nothing and would pass for a fast one.
    state.SkipWithError("The terminals sent no reply");
    return;
  }
  const double messages = static_cast<double>(state.iterations());
  const auto terminals = static_cast<double>(site.TerminalCount());
  state.counters["seconds_per_message"] =
      benchmark::Counter(messages, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_message"] =
      static_cast<double>(site.SentBytes() - firstBytes) / messages;
  state.counters["allocations_per_message"] = static_cast<double>(allocations.Count()) / messages;
  state.counters["bytes_per_terminal"] = static_cast<double>(site.LiveBytes()) / terminals;
  state.counters["build_seconds"] = site.BuildSeconds();
}

bool LargeSiteWanted() {
  const char* value = std::getenv("CARROWIN_BENCH_LARGE");
  return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

void SiteSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"terminals", "level"});
  std::vector<int64_t> sizes = {1, kSmallSite};
  if (LargeSiteWanted()) sizes.push_back(kLargeSite);
  for (int64_t size : sizes) {
    for (int64_t level : {0, 3}) benchmark->Args({size, level});
  }
}
BENCHMARK(BM_TerminalCycle)->Apply(SiteSizes);

}  // namespace
}  // namespace carrowin
