#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/host/error.h"
#include "carrowin/host/memory_object_settings.h"
#include "carrowin/host/memory_settings_eraser.h"
#include "carrowin/host/memory_settings_store.h"
#include "raises_error.h"

namespace carrowin {
namespace {

// Each test works on a store of its own, so the process-wide one stays clean.
class MemorySettingsTest : public testing::Test {
 protected:
  std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();

  std::unique_ptr<MemoryObjectSettings> Loaded(std::u16string_view objectID) {
    auto settings = std::make_unique<MemoryObjectSettings>(store_);
    settings->SetObjectType(u"Terminal");
    settings->Load(objectID);
    return settings;
  }
};

TEST_F(MemorySettingsTest, GetSettingGivesTheStoredValueOrTheDefault) {
  store_->SetSetting(u"Terminal", u"T1", u"Rows", Variant(int32_t{16}));
  auto settings = Loaded(u"T1");
  EXPECT_EQ(settings->GetSetting(u"Rows", Variant(int32_t{24})), Variant(int32_t{16}));
  EXPECT_EQ(settings->GetSetting(u"Cols", Variant(int32_t{40})), Variant(int32_t{40}));
  EXPECT_EQ(settings->GetSetting(u"Codepage", Variant()), Variant());
  // A record nobody filled reads as defaults.
  EXPECT_EQ(Loaded(u"T9")->GetSetting(u"Rows", Variant(u"x")), Variant(u"x"));
}

TEST_F(MemorySettingsTest, TypesIdsAndKeysIgnoreLetterCase) {
  store_->SetSetting(u"TERMINAL", u"dock-7", u"languageid", Variant(u"EN"));
  auto settings = Loaded(u"DOCK-7");
  EXPECT_EQ(settings->GetSetting(u"LanguageID", Variant()), Variant(u"EN"));

  settings->SetSetting(u"LANGUAGEID", Variant(u"DE"));
  EXPECT_EQ(store_->GetSetting(u"terminal", u"Dock-7", u"LanguageId"), Variant(u"DE"));
  // Only ASCII letters fold; other characters must match exactly.
  store_->SetSetting(u"Terminal", u"\u00C9T", u"Rows", Variant(int32_t{8}));
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"\u00E9T", u"Rows"), Variant());
}

TEST_F(MemorySettingsTest, RecordsOfOtherTypesOrIdsAreSeparate) {
  store_->SetSetting(u"Terminal", u"T1", u"Rows", Variant(int32_t{16}));
  store_->SetSetting(u"Printer", u"T1", u"Rows", Variant(int32_t{66}));
  store_->SetSetting(u"Terminal", u"T2", u"Rows", Variant(int32_t{8}));
  EXPECT_EQ(Loaded(u"T1")->GetSetting(u"Rows", Variant()), Variant(int32_t{16}));
  EXPECT_EQ(Loaded(u"T2")->GetSetting(u"Rows", Variant()), Variant(int32_t{8}));
}

TEST_F(MemorySettingsTest, StatusValuesWrittenByOneInstanceAreSeenByOthers) {
  auto writer = Loaded(u"T1");
  writer->SetSetting(u"statusOnline", Variant(true));
  writer->SetSetting(u"statusOnline", Variant(false));
  EXPECT_EQ(Loaded(u"t1")->GetSetting(u"statusonline", Variant()), Variant(false));
  // The process-wide store is a single one.
  EXPECT_EQ(MemorySettingsStore::Shared(), MemorySettingsStore::Shared());
}

TEST_F(MemorySettingsTest, NameIsTheObjectIdUnlessTheRecordIsNamed) {
  MemoryObjectSettings settings(store_);
  EXPECT_EQ(settings.Name(), u"");
  settings.SetObjectType(u"Terminal");
  settings.Load(u"T1");
  EXPECT_EQ(settings.Name(), u"T1");

  store_->SetName(u"Terminal", u"t1", u"Dock");
  EXPECT_EQ(settings.Name(), u"Dock");
  store_->SetName(u"Terminal", u"T1", u"");
  EXPECT_EQ(settings.Name(), u"T1");
}

TEST_F(MemorySettingsTest, EraserAddressedByTheReportedNameReachesTheSameRecord) {
  store_->SetName(u"Terminal", u"T1", u"Dock");
  auto settings = Loaded(u"T1");
  settings->SetSetting(u"statusScreen", Variant(u"Main"));
  settings->SetSetting(u"statusExecuting", Variant(true));
  // A record whose ID is another's name keeps its own values.
  store_->SetSetting(u"Terminal", u"T2", u"statusScreen", Variant(u"Other"));

  MemorySettingsEraser eraser(store_);
  eraser.SetObjectType(settings->ObjectType());
  eraser.SetObjectID(settings->Name());
  eraser.RemoveSettings({u"STATUSSCREEN", u"neverWritten"});

  EXPECT_EQ(settings->GetSetting(u"statusScreen", Variant(u"gone")), Variant(u"gone"));
  EXPECT_EQ(settings->GetSetting(u"statusExecuting", Variant()), Variant(true));
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T2", u"statusScreen"), Variant(u"Other"));
}

TEST_F(MemorySettingsTest, DescriptiveValuesStayReadable) {
  auto settings = Loaded(u"T1");
  settings->SetDateCreated(u"2024-01-02");
  settings->SetParentObjectType(u"Connection");
  settings->SetParentObjectID(u"C1");
  settings->SetDisplayText(u"Dock door 7");
  settings->SetClassID(u"{42}");
  EXPECT_EQ(settings->DateCreated(), u"2024-01-02");
  EXPECT_EQ(settings->ParentObjectType(), u"Connection");
  EXPECT_EQ(settings->ParentObjectID(), u"C1");
  EXPECT_EQ(settings->DisplayText(), u"Dock door 7");
  EXPECT_EQ(settings->ClassID(), u"{42}");
}

TEST_F(MemorySettingsTest, UseBeforeARecordIsSelectedIsAClearError) {
  MemoryObjectSettings settings(store_);
  settings.SetObjectType(u"Terminal");
  EXPECT_THAT([&] { settings.GetSetting(u"Rows", Variant()); },
              RaisesError(errors::kObjectNotSet, u"No settings record is selected"));
  EXPECT_THAT([&] { settings.SetSetting(u"statusOnline", Variant(true)); },
              RaisesError(errors::kObjectNotSet, u"No settings record is selected"));

  MemorySettingsEraser eraser(store_);
  eraser.SetObjectType(u"Terminal");
  EXPECT_THAT([&] { eraser.RemoveSettings({u"statusOnline"}); },
              RaisesError(errors::kObjectNotSet, u"No settings record is addressed"));

  EXPECT_THAT([] { MemoryObjectSettings noStore(nullptr); },
              RaisesError(errors::kObjectNotSet, u"store"));
  EXPECT_THAT([] { MemorySettingsEraser noStore(nullptr); },
              RaisesError(errors::kObjectNotSet, u"store"));
}

TEST_F(MemorySettingsTest, StoreRemoveAndClear) {
  store_->SetSetting(u"Terminal", u"T1", u"Rows", Variant(int32_t{16}));
  EXPECT_TRUE(store_->RemoveSetting(u"terminal", u"t1", u"ROWS"));
  EXPECT_FALSE(store_->RemoveSetting(u"Terminal", u"T1", u"Rows"));
  EXPECT_FALSE(store_->RemoveSetting(u"Terminal", u"T404", u"Rows"));

  store_->SetSetting(u"Terminal", u"T1", u"Cols", Variant(int32_t{20}));
  store_->SetName(u"Terminal", u"T1", u"Dock");
  store_->Clear();
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T1", u"Cols"), Variant());
  EXPECT_EQ(store_->Name(u"Terminal", u"T1"), u"T1");
}

TEST_F(MemorySettingsTest, TerminalsOnSeveralThreadsShareTheStoreSafely) {
  constexpr int kTerminals = 4;
  constexpr int32_t kWrites = 500;
  {
    std::vector<std::jthread> workers;
    for (int t = 0; t < kTerminals; ++t) {
      workers.emplace_back([this, t] {
        auto settings = Loaded(u"T" + std::u16string(1, static_cast<char16_t>(u'0' + t)));
        for (int32_t i = 1; i <= kWrites; ++i) {
          settings->SetSetting(u"statusExecuting", Variant(i));
          ASSERT_EQ(settings->GetSetting(u"statusExecuting", Variant()), Variant(i));
        }
      });
    }
  }
  for (char16_t t = u'0'; t < u'0' + kTerminals; ++t) {
    EXPECT_EQ(store_->GetSetting(u"Terminal", std::u16string(u"T") + t, u"statusExecuting"),
              Variant(kWrites));
  }
}

}  // namespace
}  // namespace carrowin
