// Screen text conversion through the cached converters: what one field's or
// one advisory's text costs before it goes on the wire.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "carrowin/drel/drel.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/allocation_counter.h"

namespace carrowin {
namespace {

std::u16string SampleText(int32_t codepage, size_t length) {
  std::u16string pattern;
  switch (codepage) {
    case 932:
      pattern = u"\u5728\u5EAB A-12 \u30D1\u30EC\u30C3\u30C8 ";
      break;
    case 65001:
      pattern = u"Stock \u00E9t\u00E9 \u0416 \u5728\u5EAB 7 ";
      break;
    default:
      pattern = u"Pallet 42 caf\u00E9 \u00C5re ";
      break;
  }
  std::u16string text;
  while (text.size() < length) text += pattern;
  text.resize(length);
  return text;
}

// Code page 0 sends screen text one byte per character; every other code
// page goes through the screen conversion.
void ScreenConversion(benchmark::State& state) {
  const auto codepage = static_cast<int32_t>(state.range(0));
  const std::u16string text = SampleText(codepage, static_cast<size_t>(state.range(1)));
  HostFactories factories;
  factories.processTrace = [] { return std::make_shared<MemoryProcessTrace>(); };
  Drel drel(factories);
  drel.SetCodepage(codepage);
  std::vector<uint8_t> bytes;
  int32_t count = 0;
  const auto convert = [&] {
    return codepage == 0 ? drel.ConvertStringToBytes(text, bytes, count)
                         : drel.ConvertUnicodeToMultiByte(text, bytes, count);
  };
  convert();  // the converter is opened and `bytes` grown outside the count
  const testing_support::AllocationCounter allocations;
  for (auto _ : state) {
    const bool ok = convert();
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.counters["allocations_per_text"] =
      static_cast<double>(allocations.Count()) / static_cast<double>(state.iterations());
  state.SetItemsProcessed(state.iterations() * state.range(1));
  state.SetLabel("code page " + std::to_string(codepage));
}
BENCHMARK(ScreenConversion)
    ->ArgNames({"codepage", "chars"})
    ->ArgsProduct({{0, 1252, 932, 65001}, {20, 200}});

}  // namespace
}  // namespace carrowin
