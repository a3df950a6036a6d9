#include "carrowin/automation/object_factory_registry.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;

std::shared_ptr<Object> MakeObject() { return std::make_shared<Object>(); }
std::shared_ptr<Object> FailToMake() { RaiseError(errors::kOverflow, u"Factory"); }

TEST(ObjectFactoryRegistryTest, CreatesByIdentifierInAnyCaseAndNamesTheCauseOfAFailure) {
  ObjectFactoryRegistry registry;
  registry.Register(u"Carrowin.Device", [] { return nullptr; });
  registry.Register(u"CARROWIN.DEVICE", MakeObject);  // replaces the first
  EXPECT_NE(registry.CreateObject(u"carrowin.device"), nullptr);
  EXPECT_TRUE(registry.Unregister(u"Carrowin.Device"));
  ExpectError([&] { registry.CreateObject(u"Carrowin.Device"); }, errors::kCannotCreateObject,
              u"Can't create object 'Carrowin.Device': no factory is registered for it");
  registry.Register(u"Null.Maker", [] { return nullptr; });
  ExpectError([&] { registry.CreateObject(u"null.maker"); }, errors::kCannotCreateObject,
              u"Can't create object 'null.maker': its factory returned no object");
  registry.Register(u"Failing.Maker", FailToMake);  // its own error passes through
  ExpectError([&] { registry.CreateObject(u"Failing.Maker"); }, errors::kOverflow, u"Overflow");
  ExpectError([&] { registry.Register(u"Empty.Factory", nullptr); }, errors::kInvalidProcedureCall,
              u"The object factory is empty");
  EXPECT_FALSE(registry.IsRegistered(u"Empty.Factory"));
}

}  // namespace
}  // namespace carrowin
