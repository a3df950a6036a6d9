#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/host/memory_object_settings.h"
#include "carrowin/host/memory_settings_eraser.h"
#include "carrowin/host/memory_settings_store.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using testing_support::RaisedBy;

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

TEST_F(MemorySettingsTest, ATerminalWithoutARecordNeverReachesTheRecordNamedLikeIt) {
  store_->SetSetting(u"Terminal", u"T1", u"TerminalId", int32_t{7});
  store_->SetName(u"Terminal", u"T1", u"T2");
  auto t2 = Loaded(u"t2");
  EXPECT_EQ(t2->GetSetting(u"TerminalId", int32_t{0}), Variant(int32_t{0}));
  // Its status would land in the record named "T2", and its eraser would
  // reach that record by the name: both are refused.
  ExpectError([&] { t2->SetSetting(u"statusOnline", true); }, errors::kDuplicateKey,
              u"Terminal record 't2' cannot be created: 't2' is the name of record 'T1'");
  ExpectError([&] { t2->Name(); }, errors::kDuplicateKey,
              u"Terminal record 't2' does not exist and cannot be named by its ID: 't2' is the "
              u"name of record 'T1'");
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T1", u"statusOnline"), Variant());
  // Nor does an object that has selected no record at all.
  ExpectError([&] { MemoryObjectSettings(store_).GetSetting(u"Rows", Variant()); },
              errors::kObjectNotSet,
              u"No settings record is selected: call Load with the object ID first");
  ExpectError([&] { MemorySettingsEraser(store_).RemoveSettings({u"statusOnline"}); },
              errors::kObjectNotSet, u"No settings record is addressed: set ObjectID first");
}

TEST_F(MemorySettingsTest, ATextIsTheNameOrIDOfOneRecordOfAType) {
  struct Step {
    std::u16string_view type, id, name, refusal;  // refusal empty: the name is taken
  };
  const Step steps[] = {
      {u"Terminal", u"T1", u"Dock", u""},
      {u"Terminal", u"T2", u"dock",
       u"Terminal record 'T2' cannot be named 'dock': 'dock' is the name of record 'T1'"},
      {u"Terminal", u"T2", u"t1",
       u"Terminal record 'T2' cannot be named 't1': 't1' is the ID of record 'T1'"},
      {u"Printer", u"P1", u"Dock", u""},  // another object type
      {u"Terminal", u"T5", u"\u00C9", u""},
      {u"Terminal", u"T1", u"", u""},  // cleared: "Dock" is free again
      {u"Terminal", u"T2", u"DOCK", u""},
      {u"Terminal", u"T6", u"\u00E9", u""},  // only ASCII letters fold
  };
  for (const Step& step : steps) {
    if (step.refusal.empty()) {
      EXPECT_NO_THROW(store_->SetName(step.type, step.id, step.name)) << ToUtf8(step.name);
    } else {
      ExpectError([&] { store_->SetName(step.type, step.id, step.name); }, errors::kDuplicateKey,
                  step.refusal);
    }
  }
  EXPECT_EQ(store_->Name(u"Terminal", u"T2"), u"DOCK");
  EXPECT_EQ(store_->Name(u"Printer", u"P1"), u"Dock");
}

// Terminals on several threads rename their own records while contending for
// the same names, and erase keys through the name they are given; none ever
// reaches another's record.
TEST_F(MemorySettingsTest, ConcurrentTerminalsOnlyEverReachTheirOwnRecords) {
  constexpr int32_t kTerminals = 4;
  const std::u16string contested[] = {u"Dock", u"Gate", u"Yard"};
  const auto id = [](int32_t terminal) { return u"T" + std::u16string(1, u'0' + terminal); };
  // Every record exists before the race, so that no ID is free to be taken as a name.
  for (int32_t t = 0; t < kTerminals; ++t) store_->SetSetting(u"Terminal", id(t), u"owner", t);
  {
    std::vector<std::jthread> threads;
    for (int32_t t = 0; t < kTerminals; ++t) {
      threads.emplace_back([&, t] {
        auto settings = Loaded(id(t));
        MemorySettingsEraser eraser(store_);
        eraser.SetObjectType(u"Terminal");
        for (int32_t round = 0; round < 300; ++round) {
          settings->SetSetting(u"round", round);
          RaisedBy([&] { store_->SetName(u"Terminal", id(t), contested[(t + round) % 3]); });
          if (round % 5 == 0) store_->SetName(u"Terminal", id(t), u"");
          eraser.SetObjectID(settings->Name());
          eraser.RemoveSettings({u"ROUND", u"neverWritten"});
          EXPECT_EQ(settings->GetSetting(u"round", int32_t{-1}), Variant(int32_t{-1}));
          EXPECT_EQ(settings->GetSetting(u"owner", int32_t{-1}), Variant(t));
        }
      });
    }
  }
  std::set<std::u16string> texts;  // every ID and every name once
  for (int32_t t = 0; t < kTerminals; ++t) texts.insert(id(t));
  for (int32_t t = 0; t < kTerminals; ++t) {
    if (const std::u16string name = store_->Name(u"Terminal", id(t)); name != id(t)) {
      EXPECT_TRUE(texts.insert(name).second) << ToUtf8(name);
    }
  }
}

}  // namespace
}  // namespace carrowin
