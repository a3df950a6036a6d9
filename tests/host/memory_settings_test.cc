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

// The rules every store keeps are checked on this store too, in
// settings_store_test.cc; these are its own.
TEST_F(MemorySettingsTest, SettingsWithoutASelectedRecordAreRefused) {
  ExpectError([&] { MemoryObjectSettings(store_).GetSetting(u"Rows", Variant()); },
              errors::kObjectNotSet,
              u"No settings record is selected: call Load with the object ID first");
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
