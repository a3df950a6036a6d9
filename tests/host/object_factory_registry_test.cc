#include "carrowin/host/object_factory_registry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "carrowin/host/error.h"
#include "host/expect_error.h"

namespace carrowin {
namespace {

class Interpreter : public Object {};

TEST(ObjectFactoryRegistryTest, CreatesObjectsByIdentifierInAnyCase) {
  ObjectFactoryRegistry registry;
  int32_t created = 0;
  registry.Register(u"CarrowinInterpreter.Interpreter", [&] {
    ++created;
    return std::make_shared<Interpreter>();
  });
  EXPECT_TRUE(registry.IsRegistered(u"carrowininterpreter.INTERPRETER"));
  const auto first = registry.CreateObject(u"CARROWININTERPRETER.interpreter");
  const auto second = registry.CreateObject(u"CarrowinInterpreter.Interpreter");
  EXPECT_NE(std::dynamic_pointer_cast<Interpreter>(first), nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(created, 2);
}

TEST(ObjectFactoryRegistryTest, UnknownIdentifiersAndEmptyResultsCannotBeCreated) {
  ObjectFactoryRegistry registry;
  Error error = RaisedBy([&] { registry.CreateObject(u"Missing.Thing"); });
  EXPECT_EQ(error.Number(), errors::kCannotCreateObject);
  EXPECT_EQ(error.Description(),
            u"Can't create object 'Missing.Thing': no factory is registered for it");

  registry.Register(u"Null.Maker", [] { return std::shared_ptr<Object>(); });
  error = RaisedBy([&] { registry.CreateObject(u"null.maker"); });
  EXPECT_EQ(error.Number(), errors::kCannotCreateObject);
  EXPECT_EQ(error.Description(),
            u"Can't create object 'null.maker': its factory returned no object");

  registry.Register(u"Failing.Maker", []() -> std::shared_ptr<Object> {
    RaiseError(errors::kOverflow, u"Failing.Maker");
  });
  EXPECT_EQ(RaisedBy([&] { registry.CreateObject(u"Failing.Maker"); }).Number(), errors::kOverflow);
}

TEST(ObjectFactoryRegistryTest, RegisterReplacesAndUnregisterRemoves) {
  ObjectFactoryRegistry registry;
  const auto first = std::make_shared<Object>();
  const auto second = std::make_shared<Object>();
  registry.Register(u"Settings.Store", [first] { return first; });
  registry.Register(u"SETTINGS.STORE", [second] { return second; });
  EXPECT_EQ(registry.CreateObject(u"settings.store"), second);
  EXPECT_TRUE(registry.Unregister(u"Settings.Store"));
  EXPECT_FALSE(registry.Unregister(u"Settings.Store"));
  EXPECT_FALSE(registry.IsRegistered(u"Settings.Store"));
  EXPECT_EQ(RaisedBy([&] { registry.CreateObject(u"Settings.Store"); }).Number(),
            errors::kCannotCreateObject);

  EXPECT_EQ(RaisedBy([&] { registry.Register(u"", [first] { return first; }); }).Number(),
            errors::kInvalidProcedureCall);
  EXPECT_EQ(RaisedBy([&] { registry.Register(u"Empty.Factory", nullptr); }).Number(),
            errors::kInvalidProcedureCall);
  EXPECT_FALSE(registry.IsRegistered(u"Empty.Factory"));
}

TEST(ObjectFactoryRegistryTest, AFactoryMayUseTheRegistryItself) {
  ObjectFactoryRegistry registry;
  registry.Register(u"Part", [] { return std::make_shared<Object>(); });
  registry.Register(u"Whole", [&registry] {
    registry.Register(u"Made.Later", [] { return std::make_shared<Object>(); });
    return registry.CreateObject(u"Part");
  });
  EXPECT_NE(registry.CreateObject(u"Whole"), nullptr);
  EXPECT_TRUE(registry.IsRegistered(u"Made.Later"));
}

TEST(ObjectFactoryRegistryTest, ProcessRegistryIsSharedAndSafeAcrossThreads) {
  ObjectFactoryRegistry& shared = ObjectFactoryRegistry::Process();
  EXPECT_EQ(&shared, &ObjectFactoryRegistry::Process());
  shared.Register(u"RegistryTest.Shared", [] { return std::make_shared<Object>(); });
  std::atomic<int32_t> created = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i) {
    threads.emplace_back([&shared, &created, i] {
      for (int n = 0; n < 200; ++n) {
        if (shared.CreateObject(u"registrytest.shared")) ++created;
        shared.Register(u"RegistryTest.Churn" + std::u16string(1, static_cast<char16_t>(u'0' + i)),
                        [] { return std::make_shared<Object>(); });
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(created, 800);
  shared.Unregister(u"RegistryTest.Shared");
  for (char16_t i = u'0'; i < u'4'; ++i) {
    EXPECT_TRUE(shared.Unregister(u"RegistryTest.Churn" + std::u16string(1, i)));
  }
}

}  // namespace
}  // namespace carrowin
