#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "carrowin/host/database_settings_store.h"
#include "carrowin/host/memory_settings_store.h"
#include "carrowin/host/store_object_settings.h"
#include "carrowin/host/store_settings_eraser.h"
#include "support/expect_error.h"
#include "support/store_locations.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using testing_support::FreshStoreLocation;
using testing_support::TemporaryFolder;

// The rules of memory_settings_store.h, checked on every kind of store: a
// terminal must behave the same whichever store it is given.
class SettingsStoreRulesTest : public testing::TestWithParam<std::string> {
 protected:
  SettingsStoreRulesTest() {
    if (GetParam() == "memory") {
      store_ = std::make_shared<MemorySettingsStore>();
    } else {
      store_ = DatabaseSettingsStore::Open(FreshStoreLocation(GetParam(), folder_));
    }
  }

  StoreObjectSettings Settings(std::u16string_view id) {
    StoreObjectSettings settings(store_);
    settings.SetObjectType(u"Terminal");
    settings.Load(id);
    return settings;
  }

  TemporaryFolder folder_;
  std::shared_ptr<SettingsStore> store_;
};

TEST_P(SettingsStoreRulesTest, ATerminalWithoutARecordNeverReachesTheRecordNamedLikeIt) {
  store_->SetSetting(u"Terminal", u"T1", u"TerminalId", int32_t{7});
  store_->SetName(u"Terminal", u"T1", u"T2");
  StoreObjectSettings t2 = Settings(u"t2");
  EXPECT_EQ(t2.GetSetting(u"TerminalId", int32_t{0}), Variant(int32_t{0}));
  ExpectError([&] { t2.SetSetting(u"statusOnline", true); }, errors::kDuplicateKey,
              u"Terminal record 't2' cannot be created: 't2' is the name of record 'T1'");
  ExpectError([&] { t2.Name(); }, errors::kDuplicateKey,
              u"Terminal record 't2' does not exist and cannot be named by its ID: 't2' is the "
              u"name of record 'T1'");
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T1", u"statusOnline", Variant()), Variant());
}

TEST_P(SettingsStoreRulesTest, ATextIsTheNameOrIDOfOneRecordOfAType) {
  store_->SetName(u"Terminal", u"T1", u"Dock");
  store_->SetName(u"Printer", u"P1", u"Dock");  // another object type
  ExpectError([&] { store_->SetName(u"Terminal", u"T2", u"dock"); }, errors::kDuplicateKey,
              u"Terminal record 'T2' cannot be named 'dock': 'dock' is the name of record 'T1'");
  ExpectError([&] { store_->SetName(u"Terminal", u"T2", u"t1"); }, errors::kDuplicateKey,
              u"Terminal record 'T2' cannot be named 't1': 't1' is the ID of record 'T1'");
  // Refused: nothing was created.
  EXPECT_EQ(store_->Records(u"Terminal").size(), 1u);
  store_->SetName(u"Terminal", u"T5", u"\u00C9");
  store_->SetName(u"Terminal", u"T6", u"\u00E9");  // only ASCII letters fold
  store_->SetName(u"Terminal", u"T1", u"");        // cleared: "Dock" is free again
  store_->SetName(u"Terminal", u"T2", u"DOCK");
  EXPECT_EQ(store_->Name(u"Terminal", u"t2"), u"DOCK");
  EXPECT_EQ(store_->Name(u"Terminal", u"t1"), u"t1");
}

TEST_P(SettingsStoreRulesTest, AnEraserReachesItsRecordByNameOrIDOnly) {
  store_->SetSetting(u"Terminal", u"T1", u"statusScreen", int32_t{4});
  store_->SetSetting(u"Terminal", u"T1", u"statusOnline", true);
  store_->SetSetting(u"Terminal", u"T2", u"statusScreen", int32_t{5});
  store_->SetName(u"Terminal", u"T1", u"Dock");
  StoreSettingsEraser eraser(store_);
  eraser.SetObjectType(u"terminal");
  eraser.SetObjectID(u"DOCK");
  eraser.RemoveSettings({u"STATUSSCREEN", u"neverWritten"});
  eraser.SetObjectID(u"Gate");  // nobody's: ignored
  eraser.RemoveSettings({u"statusScreen"});
  eraser.SetObjectID(u"t1");
  eraser.RemoveSettings({u"statusOnline"});
  EXPECT_FALSE(store_->RemoveSetting(u"Terminal", u"T1", u"statusOnline"));
  EXPECT_TRUE(store_->RemoveSetting(u"Terminal", u"T2", u"statusScreen"));
  store_->SetSetting(u"Terminal", u"T2", u"Rows", int32_t{16});
  store_->SetSetting(u"Terminal", u"t2", u"ROWS", int32_t{20});  // keeps the first spelling
  const std::vector<SettingsRecord> records = store_->Records(u"TERMINAL");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].objectID, u"T1");
  EXPECT_EQ(records[0].name, u"Dock");
  EXPECT_TRUE(records[0].settings.empty());
  EXPECT_EQ(records[1].name, u"T2");
  ASSERT_EQ(records[1].settings.size(), 1u);
  EXPECT_EQ(records[1].settings[0].first, u"Rows");
  EXPECT_EQ(records[1].settings[0].second, Variant(int32_t{20}));
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStoreRulesTest,
                         testing::Values("memory", "sqlite", "postgres"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace carrowin
