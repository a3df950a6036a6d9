// The screen model's costs: drawing a page, sending a field's new data on a
// shown page, and the heap one terminal with its pages holds. The terminals
// trace nothing (level 0) and send into a sender that only counts bytes, so
// what is measured is the model and the encoder.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/carrowin.h"
#include "support/allocation_counter.h"

namespace carrowin {
namespace {

constexpr int32_t kTerminalId = 7;
constexpr int32_t kFieldsPerPage = 10;
constexpr int32_t kPagesPerTerminal = 5;

// One terminal of a site: its own trace, the site's settings store, a
// sender that counts what reaches the wire.
struct CountedTerminal {
  std::shared_ptr<Terminal> terminal;
  std::shared_ptr<int64_t> sentBytes;
};

std::shared_ptr<MemorySettingsStore> SiteStore() {
  auto store = std::make_shared<MemorySettingsStore>();
  store->SetSetting(u"Terminal", u"T1", u"TerminalId", Variant(kTerminalId));
  return store;
}

CountedTerminal MakeTerminal(const std::shared_ptr<MemorySettingsStore>& store) {
  HostFactories factories;
  factories.processTrace = [] { return std::make_shared<MemoryProcessTrace>(0); };
  factories.objectSettings = [store] { return std::make_shared<MemoryObjectSettings>(store); };
  factories.settingsEraser = [store] { return std::make_shared<MemorySettingsEraser>(store); };
  CountedTerminal counted{Terminal::Create(factories), std::make_shared<int64_t>(0)};
  auto sender = std::make_shared<CallbackMessageSender>(
      [bytes = counted.sentBytes](std::span<const uint8_t> message) {
        *bytes += static_cast<int64_t>(message.size());
      });
  counted.terminal->Initialize(std::make_shared<InProcessConnection>(sender), u"T1");
  // The parameter reply of a terminal of version 70 with 40 virtual columns:
  // model, version, features, config, columns / 2, sizes, saved pages,
  // application, each as value + 48.
  const std::vector<uint8_t> reply = {'!', 49, 118, 48, 48, 68, 216, 52, 48};
  counted.terminal->Parameters()->LoadData(reply, 1);
  return counted;
}

std::shared_ptr<Page> AddPage(Terminal& terminal, std::u16string_view name) {
  auto page = terminal.Pages()->Add(name);
  page->SetPageNumber(1);
  return page;
}

// A picking screen: five labels and five entry fields, two of them with data.
void AddPickingFields(Fields& fields) {
  fields.AddText(1, u"Title", 1, 1, u"PICKING");
  fields.AddText(2, u"Loc", 3, 1, u"Location:");
  fields.AddText(3, u"Item", 4, 1, u"Item:");
  fields.AddText(4, u"Qty", 5, 1, u"Quantity:");
  fields.AddText(5, u"Lot", 6, 1, u"Lot:");
  fields.AddEntry(6, u"Loc", 3, 11, 8)->SetData(u"A-12-03");
  fields.AddEntry(7, u"Item", 4, 11, 14)->SetData(u"BOLT-M8X40");
  fields.AddEntry(8, u"Qty", 5, 11, 5, StyleNum | StyleRJust, 0, u"@99999");
  fields.AddEntry(9, u"Lot", 6, 11, 10);
  fields.AddEntry(10, u"Confirm", 8, 1, 1, StyleXmit);
}

std::shared_ptr<Page> AddPickingPage(Terminal& terminal) {
  auto page = AddPage(terminal, u"Picking");
  AddPickingFields(*page->Fields());
  return page;
}

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
