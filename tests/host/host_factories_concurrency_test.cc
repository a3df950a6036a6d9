// The process-wide host factories are read by every terminal's thread while
// the application may replace them.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/memory_object_settings.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/memory_settings_eraser.h"

namespace carrowin {
namespace {

// The set whose factory made the calling thread's last object.
thread_local int madeBy = 0;

// A factory that marks its objects as made by set `id`. It reads the process
// defaults itself, as a factory may.
template <class Object>
std::function<std::shared_ptr<Object>()> Marking(int id) {
  return [id] {
    HostFactories::ProcessDefaults();
    madeBy = id;
    return std::make_shared<Object>();
  };
}

HostFactories SetNumbered(int id) {
  return {Marking<MemoryProcessTrace>(id), Marking<MemoryObjectSettings>(id),
          Marking<MemorySettingsEraser>(id), Marking<GrowingCircBuffer>(id)};
}

// Which set made each of the four objects a set creates, 0 for a built-in one.
std::vector<int> MakersOf(const HostFactories& f) {
  const auto maker = [](const auto&) { return std::exchange(madeBy, 0); };
  return {maker(f.CreateProcessTrace()), maker(f.CreateObjectSettings()),
          maker(f.CreateSettingsEraser()), maker(f.CreateCircBuffer())};
}

TEST(HostFactoriesConcurrency, EveryReaderSeesOneWholeSetWhileAnotherReplacesIt) {
  constexpr int kSets = 200;
  HostFactories::SetProcessDefaults(SetNumbered(1));
  std::atomic<int> torn = 0;
  {
    std::jthread setter([] {
      for (int k = 1; k <= kSets; ++k) HostFactories::SetProcessDefaults(SetNumbered(k));
    });
    std::jthread reader([&] {
      for (int round = 0; round < 300; ++round) {
        // A copy of the defaults is one set, never members of two nor a missing one.
        const std::vector<int> makers = MakersOf(HostFactories::ProcessDefaults());
        torn += std::count(makers.begin(), makers.end(), makers[0]) != 4 || makers[0] < 1;
      }
    });
  }
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(MakersOf(HostFactories::ProcessDefaults()), std::vector<int>(4, kSets));
  HostFactories::SetProcessDefaults({});
}

}  // namespace
}  // namespace carrowin
