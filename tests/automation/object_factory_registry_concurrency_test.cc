// One registry serves every terminal's thread: factories are registered,
// replaced and removed while other threads create objects through them.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/automation/object_factory_registry.h"

namespace carrowin {
namespace {

// An object that knows which factory made it.
struct Made : Object {
  explicit Made(int byFactory) : factory(byFactory) {}
  int factory;
};

ObjectFactoryRegistry::Factory FactoryNumbered(int number) {
  return [number] { return std::make_shared<Made>(number); };
}

// The factory that made the object created for `progID`; 0 when none is
// registered, -1 for any other outcome.
int CreatedBy(const ObjectFactoryRegistry& registry, std::u16string_view progID) {
  try {
    const auto made = std::dynamic_pointer_cast<Made>(registry.CreateObject(progID));
    return made ? made->factory : -1;
  } catch (const Error& error) {
    return error.Number() == errors::kCannotCreateObject ? 0 : -1;
  }
}

constexpr int kThreads = 4;
constexpr int kIdsEach = 50;

// Identifier k of thread t, written in the case a thread chooses.
std::u16string ProgID(int t, int k, bool upper) {
  const std::string name =
      (upper ? "CARROWIN.DEVICE" : "carrowin.device") + std::to_string(t) + "X" + std::to_string(k);
  return std::u16string(name.begin(), name.end());
}

int Number(int t, int k) { return t * kIdsEach + k + 1; }

TEST(ObjectFactoryRegistryConcurrency, EachIdentifierCreatesWithItsOwnFactoryOnly) {
  ObjectFactoryRegistry registry;
  // A factory that creates through the registry itself, as host components may.
  registry.Register(u"Carrowin.Inner", FactoryNumbered(-3));
  registry.Register(u"Carrowin.Outer", [&registry] {
    const auto inner = std::dynamic_pointer_cast<Made>(registry.CreateObject(u"carrowin.inner"));
    return std::make_shared<Made>(inner->factory - 1);
  });
  std::atomic<int> wrong = 0;
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        const int other = (t + 1) % kThreads;
        for (int k = 0; k < kIdsEach; ++k) {
          registry.Register(ProgID(t, k, true), FactoryNumbered(Number(t, k)));
          wrong += CreatedBy(registry, ProgID(t, k, false)) != Number(t, k);
          // Another thread's identifier: not registered yet, or its own factory.
          const int made = CreatedBy(registry, ProgID(other, k, false));
          wrong += made != 0 && made != Number(other, k);
          wrong += CreatedBy(registry, u"CARROWIN.OUTER") != -4;
        }
      });
    }
  }
  EXPECT_EQ(wrong, 0);
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 0; k < kIdsEach; ++k)
      EXPECT_EQ(CreatedBy(registry, ProgID(t, k, false)), Number(t, k));
  }
}

TEST(ObjectFactoryRegistryConcurrency, EachFactoryIsRemovedExactlyOnce) {
  ObjectFactoryRegistry registry;
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 0; k < kIdsEach; ++k)
      registry.Register(ProgID(t, k, false), FactoryNumbered(Number(t, k)));
  }
  // Every thread removes every identifier; only one removal of each succeeds,
  // and a creation meanwhile either finds the factory or reports 429.
  std::atomic<int> removed = 0;
  std::atomic<int> wrong = 0;
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        for (int i = 0; i < kThreads * kIdsEach; ++i) {
          const int owner = (t + i) % kThreads;
          const int k = i / kThreads;
          removed += registry.Unregister(ProgID(owner, k, t % 2 == 0));
          const int made = CreatedBy(registry, ProgID((owner + 1) % kThreads, k, true));
          wrong += made != 0 && made != Number((owner + 1) % kThreads, k);
        }
      });
    }
  }
  EXPECT_EQ(removed, kThreads * kIdsEach);
  EXPECT_EQ(wrong, 0);
  EXPECT_FALSE(registry.IsRegistered(ProgID(0, 0, false)));
}

TEST(ObjectFactoryRegistryConcurrency, AReplacedFactoryIsNeverSeenAgain) {
  ObjectFactoryRegistry registry;
  constexpr int kVersions = 500;
  registry.Register(u"Carrowin.Printer", FactoryNumbered(1));
  std::atomic<int> wentBack = 0;
  std::atomic<bool> replacing = true;
  {
    std::vector<std::jthread> readers;
    for (int r = 0; r < 2; ++r) {
      readers.emplace_back([&] {
        // Replacements happen in order, so one reader never sees an older one.
        int last = 1;
        while (replacing) {
          const int made = CreatedBy(registry, u"carrowin.printer");
          wentBack += made < last;
          last = made;
        }
      });
    }
    for (int v = 2; v <= kVersions; ++v) registry.Register(u"CARROWIN.PRINTER", FactoryNumbered(v));
    replacing = false;
  }
  EXPECT_EQ(wentBack, 0);
  EXPECT_EQ(CreatedBy(registry, u"Carrowin.Printer"), kVersions);
}

}  // namespace
}  // namespace carrowin
