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
  std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();
};

TEST_F(MemorySettingsTest, ATerminalWithoutARecordNeverReachesTheRecordNamedLikeIt) {
  store_->SetSetting(u"Terminal", u"T1", u"TerminalId", int32_t{7});
  store_->SetName(u"Terminal", u"T1", u"T2");
  MemoryObjectSettings t2(store_);
  t2.SetObjectType(u"Terminal");
  t2.Load(u"t2");
  EXPECT_EQ(t2.GetSetting(u"TerminalId", int32_t{0}), Variant(int32_t{0}));
  // Its status would land in the record named "T2", and its eraser would
  // reach that record by the name: both are refused.
  ExpectError([&] { t2.SetSetting(u"statusOnline", true); }, errors::kDuplicateKey,
              u"Terminal record 't2' cannot be created: 't2' is the name of record 'T1'");
  ExpectError([&] { t2.Name(); }, errors::kDuplicateKey,
              u"Terminal record 't2' does not exist and cannot be named by its ID: 't2' is the "
              u"name of record 'T1'");
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T1", u"statusOnline"), Variant());
  // Nor does an object that has selected no record at all.
  ExpectError([&] { MemoryObjectSettings(store_).GetSetting(u"Rows", Variant()); },
              errors::kObjectNotSet,
              u"No settings record is selected: call Load with the object ID first");
}

TEST_F(MemorySettingsTest, ATextIsTheNameOrIDOfOneRecordOfAType) {
  store_->SetName(u"Terminal", u"T1", u"Dock");
  store_->SetName(u"Printer", u"P1", u"Dock");  // another object type
  ExpectError([&] { store_->SetName(u"Terminal", u"T2", u"dock"); }, errors::kDuplicateKey,
              u"Terminal record 'T2' cannot be named 'dock': 'dock' is the name of record 'T1'");
  ExpectError([&] { store_->SetName(u"Terminal", u"T2", u"t1"); }, errors::kDuplicateKey,
              u"Terminal record 'T2' cannot be named 't1': 't1' is the ID of record 'T1'");
  store_->SetName(u"Terminal", u"T5", u"\u00C9");
  store_->SetName(u"Terminal", u"T6", u"\u00E9");  // only ASCII letters fold
  store_->SetName(u"Terminal", u"T1", u"");        // cleared: "Dock" is free again
  store_->SetName(u"Terminal", u"T2", u"DOCK");
  EXPECT_EQ(store_->Name(u"Terminal", u"T2"), u"DOCK");
}

// Terminals on several threads rename their own records while contending for
// the same names, and erase keys through the name they are given; none ever
// reaches another's record, and no two records end up with one name.
TEST_F(MemorySettingsTest, ConcurrentTerminalsOnlyEverReachTheirOwnRecords) {
  constexpr int32_t kTerminals = 4;
  const std::u16string contested[] = {u"Dock", u"Gate", u"Yard"};
  const auto id = [](int32_t terminal) { return u"T" + std::u16string(1, u'0' + terminal); };
  // Every record exists before the race, so that no ID is free to be taken as a name.
  for (int32_t t = 0; t < kTerminals; ++t) store_->SetSetting(u"Terminal", id(t), u"owner", t);
  std::vector<std::jthread> threads;
  for (int32_t t = 0; t < kTerminals; ++t) {
    threads.emplace_back([&, t] {
      MemoryObjectSettings settings(store_);
      settings.SetObjectType(u"Terminal");
      settings.Load(id(t));
      MemorySettingsEraser eraser(store_);
      eraser.SetObjectType(u"Terminal");
      for (int32_t round = 0; round < 300; ++round) {
        settings.SetSetting(u"round", round);
        RaisedBy([&] { store_->SetName(u"Terminal", id(t), contested[(t + round) % 3]); });
        if (round % 5 == 0) store_->SetName(u"Terminal", id(t), u"");
        eraser.SetObjectID(settings.Name());
        eraser.RemoveSettings({u"ROUND", u"neverWritten"});
        EXPECT_EQ(settings.GetSetting(u"round", int32_t{-1}), Variant(int32_t{-1}));
        EXPECT_EQ(settings.GetSetting(u"owner", int32_t{-1}), Variant(t));
      }
    });
  }
  threads.clear();  // joins them
  // A name is its record's ID until one is given, so every ID and name appears once.
  std::set<std::u16string> names;
  for (int32_t t = 0; t < kTerminals; ++t) names.insert(store_->Name(u"Terminal", id(t)));
  EXPECT_EQ(names.size(), size_t{kTerminals});
}

}  // namespace
}  // namespace carrowin
