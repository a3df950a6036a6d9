// One registry serves every terminal's thread: factories are registered while
// other threads create objects through them, and a factory may itself create
// through the registry.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/automation/object_factory_registry.h"

namespace carrowin {
namespace {

// Identifier `id` in the letter case of `prefix`; an ideograph has no case of its own.
std::u16string ProgID(std::u16string prefix, int id) {
  return prefix + static_cast<char16_t>(0x4E00 + id);
}

TEST(ObjectFactoryRegistryConcurrency, EachIdentifierCreatesWithItsOwnFactoryOnly) {
  constexpr int kThreads = 4, kIdsEach = 50, kIds = kThreads * kIdsEach;
  std::vector<std::shared_ptr<Object>> made(kIds);
  for (auto& object : made) object = std::make_shared<Object>();
  ObjectFactoryRegistry registry;
  registry.Register(u"Carrowin.Inner", [&] { return made[0]; });
  registry.Register(u"Carrowin.Outer", [&] { return registry.CreateObject(u"carrowin.inner"); });
  std::atomic<int> wrong = 0;
  std::vector<std::jthread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int id = t * kIdsEach; id < (t + 1) * kIdsEach; ++id) {
        registry.Register(ProgID(u"DEVICE", id), [&made, id] { return made[id]; });
        wrong += registry.CreateObject(ProgID(u"device", id)) != made[id];
        // Another thread's identifier: not registered yet, or with its own factory.
        const int other = (id + kIdsEach) % kIds;
        wrong += registry.IsRegistered(ProgID(u"Device", other)) &&
                 registry.CreateObject(ProgID(u"device", other)) != made[other];
        wrong += registry.CreateObject(u"CARROWIN.OUTER") != made[0];
      }
    });
  }
  threads.clear();  // joins them
  for (int id = 0; id < kIds; ++id)
    wrong += registry.CreateObject(ProgID(u"Device", id)) != made[id];
  EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace carrowin
