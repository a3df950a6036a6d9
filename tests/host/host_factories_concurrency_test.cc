// The process-wide host factories are read by every terminal's thread while
// the application may replace them.

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/memory_process_trace.h"

namespace carrowin {
namespace {

// The set whose factory made the calling thread's last object.
thread_local int madeBy = 0;

// A factory that marks its objects as made by set `id`. It reads the process
// defaults itself, as a factory may.
template <class Object>
auto Marking(int id) {
  return [id] {
    HostFactories::ProcessDefaults();
    madeBy = id;
    return std::make_shared<Object>();
  };
}

HostFactories SetNumbered(int id) {
  return {Marking<MemoryProcessTrace>(id), {}, {}, Marking<GrowingCircBuffer>(id)};
}

// Which set made the trace and the buffer a set creates, 0 for a built-in one.
std::vector<int> MakersOf(const HostFactories& f) {
  const auto maker = [](const auto&) { return std::exchange(madeBy, 0); };
  return {maker(f.CreateProcessTrace()), maker(f.CreateCircBuffer())};
}

TEST(HostFactoriesConcurrency, EveryReaderSeesOneWholeSetWhileAnotherReplacesIt) {
  HostFactories::SetProcessDefaults(SetNumbered(1));
  std::jthread setter([] {
    for (int k = 1; k <= 200; ++k) HostFactories::SetProcessDefaults(SetNumbered(k));
  });
  for (int round = 0; round < 300; ++round) {
    // A copy of the defaults is one set, never members of two nor a missing one.
    const std::vector<int> makers = MakersOf(HostFactories::ProcessDefaults());
    EXPECT_TRUE(makers[0] == makers[1] && makers[0] >= 1) << makers[0] << " " << makers[1];
  }
  setter.join();
  HostFactories::SetProcessDefaults({});
}

}  // namespace
}  // namespace carrowin
