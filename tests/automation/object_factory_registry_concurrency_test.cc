// One registry serves every terminal's thread: factories are registered while
// other threads create objects through them, and a factory may itself create
// through the registry.

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

// The identifier of factory `number`, written in the case a caller chooses.
std::u16string ProgID(int number, bool upper) {
  const std::string name = (upper ? "CARROWIN.DEVICE" : "carrowin.device") + std::to_string(number);
  return std::u16string(name.begin(), name.end());
}

TEST(ObjectFactoryRegistryConcurrency, EachIdentifierCreatesWithItsOwnFactoryOnly) {
  constexpr int kThreads = 4;
  constexpr int kIdsEach = 50;
  ObjectFactoryRegistry registry;
  registry.Register(u"Carrowin.Inner", [] { return std::make_shared<Made>(-3); });
  registry.Register(u"Carrowin.Outer", [&registry] {
    return std::make_shared<Made>(CreatedBy(registry, u"carrowin.inner") - 1);
  });
  std::atomic<int> wrong = 0;
  {
    std::vector<std::jthread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([&, t] {
        for (int k = 1; k <= kIdsEach; ++k) {
          const int own = t * kIdsEach + k;
          registry.Register(ProgID(own, true), [own] { return std::make_shared<Made>(own); });
          wrong += CreatedBy(registry, ProgID(own, false)) != own;
          // Another thread's identifier: not registered yet, or its own factory.
          const int other = (own + kIdsEach - 1) % (kThreads * kIdsEach) + 1;
          const int made = CreatedBy(registry, ProgID(other, false));
          wrong += made != 0 && made != other;
          wrong += CreatedBy(registry, u"CARROWIN.OUTER") != -4;
        }
      });
    }
  }
  for (int n = 1; n <= kThreads * kIdsEach; ++n)
    wrong += CreatedBy(registry, ProgID(n, false)) != n;
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace carrowin
