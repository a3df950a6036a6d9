// The screen model's costs: drawing a page, sending a field's new data on a
// shown page, and the heap one terminal with its pages holds. The terminals
// trace nothing (level 0) and send into a sender that only counts bytes, so
// what is measured is the model and the encoder.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "carrowin/carrowin.h"
#include "counted_terminal.h"
#include "support/allocation_counter.h"

namespace carrowin {
namespace {

using bench_support::AddPage;
using bench_support::AddPickingFields;
using bench_support::AddPickingPage;
using bench_support::CountedTerminal;
using bench_support::MakeTerminal;
using bench_support::SiteStore;

constexpr int32_t kFieldsPerPage = 10;
constexpr int32_t kPagesPerTerminal = 5;

// Reports the time of one display, its wire bytes and their rate
// ("bytes_per_second").
void BM_PageDisplay(benchmark::State& state) {
  const auto store = SiteStore();
  CountedTerminal counted = MakeTerminal(store);
  const auto page = AddPickingPage(*counted.terminal);
  Drel& drel = *counted.terminal->Drel();
  page->Display(u"Qty");
  drel.SendData();
  const int64_t firstBytes = *counted.sentBytes;
  const testing_support::AllocationCounter allocations;
  for (auto _ : state) {
    page->Display(u"Qty");
    drel.SendData();
  }
  const int64_t bytes = *counted.sentBytes - firstBytes;
  const double displays = static_cast<double>(state.iterations());
  state.SetBytesProcessed(bytes);
  state.counters["seconds_per_display"] =
      benchmark::Counter(displays, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes_per_display"] = static_cast<double>(bytes) / displays;
  state.counters["allocations_per_display"] = static_cast<double>(allocations.Count()) / displays;
}
BENCHMARK(BM_PageDisplay);

// One data assignment to an entry field of the shown page; the encoder sends
// whenever its message fills.
void BM_FieldSetData(benchmark::State& state) {
  const auto store = SiteStore();
  CountedTerminal counted = MakeTerminal(store);
  const auto page = AddPickingPage(*counted.terminal);
  page->Display(u"Qty");
  const auto quantity = page->Fields()->Item(Variant(u"Qty"));
  const std::u16string values[] = {u"12", u"250"};
  size_t next = 0;
  for (auto _ : state) {
    quantity->SetData(values[next]);
    next ^= 1;
  }
  counted.terminal->Drel()->SendData();
  state.SetBytesProcessed(*counted.sentBytes);
  state.counters["seconds_per_assignment"] =
      benchmark::Counter(static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FieldSetData);

// The heap one terminal holds with five pages of ten fields, counted by the
// replaced operator new: in all, per page (with its fields) and per field.
void BM_TerminalMemory(benchmark::State& state) {
  const auto store = SiteStore();
  int64_t terminalBytes = 0;
  int64_t pageBytes = 0;
  int64_t fieldBytes = 0;
  for (auto _ : state) {
    CountedTerminal counted;
    const testing_support::AllocationCounter heap;
    counted = MakeTerminal(store);
    pageBytes = 0;
    fieldBytes = 0;
    for (int32_t i = 0; i < kPagesPerTerminal; ++i) {
      const int64_t beforePage = heap.LiveBytes();
      const auto page = AddPage(*counted.terminal, u"Page" + std::u16string(1, u'A' + i));
      const int64_t beforeFields = heap.LiveBytes();
      AddPickingFields(*page->Fields());
      fieldBytes += heap.LiveBytes() - beforeFields;
      pageBytes += heap.LiveBytes() - beforePage;
    }
    terminalBytes = heap.LiveBytes();
    benchmark::DoNotOptimize(counted.terminal.get());
  }
  state.counters["bytes_per_terminal"] = static_cast<double>(terminalBytes);
  state.counters["bytes_per_page"] = static_cast<double>(pageBytes) / kPagesPerTerminal;
  state.counters["bytes_per_field"] =
      static_cast<double>(fieldBytes) / (kPagesPerTerminal * kFieldsPerPage);
}
BENCHMARK(BM_TerminalMemory);

}  // namespace
}  // namespace carrowin
