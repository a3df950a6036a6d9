// The process-wide host factories are read by every terminal's thread while
// the application may replace them.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
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

// Four factories that all mark their objects as made by set `id`. The
// settings factory reads the process defaults itself, as a factory may.
HostFactories SetNumbered(int id) {
  HostFactories f;
  f.processTrace = [id] {
    madeBy = id;
    return std::make_shared<MemoryProcessTrace>();
  };
  f.objectSettings = [id] {
    HostFactories::ProcessDefaults();
    madeBy = id;
    return std::make_shared<MemoryObjectSettings>();
  };
  f.settingsEraser = [id] {
    madeBy = id;
    return std::make_shared<MemorySettingsEraser>();
  };
  f.circBuffer = [id] {
    madeBy = id;
    return std::make_shared<GrowingCircBuffer>();
  };
  return f;
}

// Which set made each of the four objects a set creates, -1 for a missing one.
std::vector<int> MakersOf(const HostFactories& f) {
  std::vector<int> makers;
  makers.push_back(f.CreateProcessTrace() ? madeBy : -1);
  makers.push_back(f.CreateObjectSettings() ? madeBy : -1);
  makers.push_back(f.CreateSettingsEraser() ? madeBy : -1);
  makers.push_back(f.CreateCircBuffer() ? madeBy : -1);
  return makers;
}

class HostFactoriesConcurrency : public testing::Test {
 protected:
  void TearDown() override { HostFactories::SetProcessDefaults({}); }
};

constexpr int kSetters = 2;
constexpr int kSetsEach = 200;
constexpr int kRounds = 300;

TEST_F(HostFactoriesConcurrency, EveryReaderSeesOneWholeSetWhileOthersReplaceThem) {
  HostFactories::SetProcessDefaults(SetNumbered(1));
  // Setter s installs sets s * kSetsEach + 1 ... in order; a terminal's own
  // circular buffer factory (set -7) is never replaced by the defaults.
  HostFactories own;
  own.circBuffer = SetNumbered(-7).circBuffer;
  std::atomic<int> torn = 0;
  std::atomic<int> wrongOwn = 0;
  std::atomic<int> notFromASet = 0;
  const auto isSet = [](int id) { return id >= 1 && id <= kSetters * kSetsEach; };
  {
    std::vector<std::jthread> threads;
    for (int s = 0; s < kSetters; ++s) {
      threads.emplace_back([s] {
        for (int k = 1; k <= kSetsEach; ++k)
          HostFactories::SetProcessDefaults(SetNumbered(s * kSetsEach + k));
      });
    }
    for (int r = 0; r < 2; ++r) {
      threads.emplace_back([&] {
        for (int round = 0; round < kRounds; ++round) {
          // A copy of the defaults is one set, never members of two.
          const std::vector<int> snapshot = MakersOf(HostFactories::ProcessDefaults());
          torn += std::count(snapshot.begin(), snapshot.end(), snapshot[0]) != 4;
          notFromASet += !isSet(snapshot[0]);
          const std::vector<int> mixed = MakersOf(own);
          wrongOwn += mixed[3] != -7;
          notFromASet += !isSet(mixed[0]) || !isSet(mixed[1]) || !isSet(mixed[2]);
        }
      });
    }
  }
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(wrongOwn, 0);
  EXPECT_EQ(notFromASet, 0);
  // Once the setters are done, the last set each installed is what remains:
  // one of the two, whole.
  const std::vector<int> last = MakersOf(HostFactories::ProcessDefaults());
  EXPECT_TRUE(last == std::vector<int>(4, kSetsEach) || last == std::vector<int>(4, 2 * kSetsEach))
      << last[0];
}

TEST_F(HostFactoriesConcurrency, RestoringTheBuiltInDefaultsRacesNoReader) {
  std::atomic<int> missing = 0;
  {
    std::jthread setter([] {
      for (int k = 0; k < kSetsEach; ++k) {
        HostFactories::SetProcessDefaults(k % 2 == 0 ? HostFactories{} : SetNumbered(k));
      }
    });
    std::jthread reader([&] {
      for (int round = 0; round < kRounds; ++round) {
        const HostFactories defaults = HostFactories::ProcessDefaults();
        // An empty member is filled with the built-in one, never left empty.
        missing += !defaults.processTrace || !defaults.objectSettings || !defaults.settingsEraser ||
                   !defaults.circBuffer;
        const std::vector<int> makers = MakersOf(HostFactories{});
        missing += std::count(makers.begin(), makers.end(), -1);
      }
    });
  }
  EXPECT_EQ(missing, 0);
}

}  // namespace
}  // namespace carrowin
