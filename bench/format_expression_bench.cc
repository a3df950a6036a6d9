// The cost of one Field.Data read with a DataFormat: formatting a number and a
// date with the formats applications use most.
#include <benchmark/benchmark.h>

#include <string_view>

#include "carrowin/automation/format_expression.h"

namespace carrowin {
namespace {

void FormatOnce(benchmark::State& state, std::u16string_view value, std::u16string_view format) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatExpression(value, format));
  }
}

void BM_FormatNumberGrouped(benchmark::State& state) {
  FormatOnce(state, u"1234567.891", u"#,##0.00");
}
void BM_FormatNumberCurrency(benchmark::State& state) {
  FormatOnce(state, u"-12345.675", u"Currency");
}
void BM_FormatNumberScientific(benchmark::State& state) {
  FormatOnce(state, u"12345.67", u"0.00E+00");
}
void BM_FormatDateShort(benchmark::State& state) {
  FormatOnce(state, u"1958-12-07 20:50:35", u"mm/dd/yyyy");
}
void BM_FormatDateTimeLong(benchmark::State& state) {
  FormatOnce(state, u"12/7/1958 8:50:35 PM", u"dddd, mmmm d, yyyy hh:nn AM/PM");
}
void BM_FormatString(benchmark::State& state) {
  FormatOnce(state, u"5551234567", u"(@@@) @@@-@@@@");
}

BENCHMARK(BM_FormatNumberGrouped);
BENCHMARK(BM_FormatNumberCurrency);
BENCHMARK(BM_FormatNumberScientific);
BENCHMARK(BM_FormatDateShort);
BENCHMARK(BM_FormatDateTimeLong);
BENCHMARK(BM_FormatString);

}  // namespace
}  // namespace carrowin
