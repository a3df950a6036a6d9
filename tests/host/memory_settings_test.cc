#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "carrowin/host/memory_object_settings.h"
#include "carrowin/host/memory_settings_eraser.h"
#include "carrowin/host/memory_settings_store.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;

// Each test works on a store of its own, so the process-wide one stays clean.
class MemorySettingsTest : public testing::Test {
 protected:
  std::unique_ptr<MemoryObjectSettings> Loaded(std::u16string_view objectID) {
    auto settings = std::make_unique<MemoryObjectSettings>(store_);
    settings->SetObjectType(u"Terminal");
    settings->Load(objectID);
    return settings;
  }

  std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();
};

TEST_F(MemorySettingsTest, RecordsAreSharedKeyedWithoutAsciiCaseAndFallBackToDefaults) {
  store_->SetSetting(u"TERMINAL", u"dock-7", u"rows", int32_t{16});
  store_->SetSetting(u"Printer", u"DOCK-7", u"Cols", int32_t{66});
  auto settings = Loaded(u"DOCK-7");
  EXPECT_EQ(settings->GetSetting(u"Rows", int32_t{24}), Variant(int32_t{16}));
  EXPECT_EQ(settings->GetSetting(u"Cols", int32_t{40}), Variant(int32_t{40}));
  settings->SetSetting(u"STATUSONLINE", true);
  EXPECT_EQ(Loaded(u"Dock-7")->GetSetting(u"statusOnline", false), Variant(true));
  // Only ASCII letters fold; other characters must match exactly.
  store_->SetSetting(u"Terminal", u"\u00C9T", u"Rows", int32_t{8});
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"\u00E9T", u"Rows"), Variant());
}

TEST_F(MemorySettingsTest, EraserAddressedByTheReportedNameRemovesOnlyTheNamedKeys) {
  auto settings = Loaded(u"T1");
  store_->SetName(u"Terminal", u"t1", u"Dock");
  settings->SetSetting(u"statusScreen", u"Main");
  settings->SetSetting(u"statusExecuting", true);
  store_->SetSetting(u"Terminal", u"T2", u"statusScreen", u"Other");
  MemorySettingsEraser eraser(store_);
  eraser.SetObjectType(settings->ObjectType());
  ASSERT_EQ(settings->Name(), u"Dock");
  eraser.SetObjectID(settings->Name());
  eraser.RemoveSettings({u"STATUSSCREEN", u"neverWritten"});
  EXPECT_EQ(settings->GetSetting(u"statusScreen", u"gone"), Variant(u"gone"));
  EXPECT_EQ(settings->GetSetting(u"statusExecuting", false), Variant(true));
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T2", u"statusScreen"), Variant(u"Other"));
}

TEST_F(MemorySettingsTest, UseBeforeARecordIsSelectedIsAClearError) {
  MemoryObjectSettings settings(store_);
  const std::u16string_view unselected =
      u"No settings record is selected: call Load with the object ID first";
  ExpectError([&] { settings.GetSetting(u"Rows", Variant()); }, errors::kObjectNotSet, unselected);
  ExpectError([&] { settings.SetSetting(u"Rows", Variant()); }, errors::kObjectNotSet, unselected);
  MemorySettingsEraser eraser(store_);
  ExpectError([&] { eraser.RemoveSettings({u"statusOnline"}); }, errors::kObjectNotSet,
              u"No settings record is addressed: set ObjectID first");
  ExpectError([] { MemoryObjectSettings noStore(nullptr); }, errors::kObjectNotSet,
              u"The settings store is Nothing");
}

}  // namespace
}  // namespace carrowin
