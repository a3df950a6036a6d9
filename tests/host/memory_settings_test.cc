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
  EXPECT_FALSE(store_->RemoveSetting(u"Terminal", u"T2", u"TerminalId"));
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"T1", u"statusOnline"), Variant());
  EXPECT_EQ(Loaded(u"T1")->GetSetting(u"TerminalId", int32_t{0}), Variant(int32_t{7}));
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
      {u"Terminal", u"DOCK", u"",
       u"Terminal record 'DOCK' cannot be created: 'DOCK' is the name of record 'T1'"},
      {u"Printer", u"P1", u"Dock", u""},   // another object type
      {u"Terminal", u"T3", u"t3", u""},    // its own ID
      {u"Terminal", u"T1", u"Gate", u""},  // renaming frees "Dock"
      {u"Terminal", u"T2", u"DOCK", u""},
      {u"Terminal", u"T1", u"", u""},  // cleared: "Gate" is free, "T1" is taken again
      {u"Terminal", u"T4", u"Gate", u""},
      {u"Terminal", u"T4", u"T1",
       u"Terminal record 'T4' cannot be named 'T1': 'T1' is the ID of record 'T1'"},
      {u"Terminal", u"T5", u"\u00C9", u""},
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
  const std::pair<std::u16string_view, std::u16string_view> names[] = {
      {u"T1", u"T1"},   {u"T2", u"DOCK"},   {u"T3", u"t3"},
      {u"t4", u"Gate"}, {u"T5", u"\u00C9"}, {u"T6", u"\u00E9"}};
  for (const auto& [id, name] : names) EXPECT_EQ(store_->Name(u"Terminal", id), name);
  EXPECT_EQ(store_->Name(u"Printer", u"P1"), u"Dock");
  EXPECT_EQ(store_->GetSetting(u"Terminal", u"DOCK", u"x", u"no record"), Variant(u"no record"));
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
  // The record's own ID reaches it too; a text no record answers to, nothing.
  for (const std::u16string_view text : {u"Nobody", u"t1"}) {
    eraser.SetObjectID(text);
    eraser.RemoveSettings({u"statusExecuting"});
  }
  EXPECT_EQ(settings->GetSetting(u"statusExecuting", u"gone"), Variant(u"gone"));
}

// Terminals on several threads set, read, rename and erase their own records
// while contending for the same names; none ever sees another's values.
TEST_F(MemorySettingsTest, ConcurrentTerminalsOnlyEverReachTheirOwnRecords) {
  constexpr int32_t kTerminals = 4;
  constexpr int32_t kRounds = 300;
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
        std::u16string name = id(t);
        const std::u16string neighbour = id((t + 1) % kTerminals);
        for (int32_t round = 0; round < kRounds; ++round) {
          settings->SetSetting(u"round", round);
          EXPECT_EQ(RaisedBy([&] { store_->SetName(u"Terminal", id(t), neighbour); }).Number(),
                    errors::kDuplicateKey);
          const std::u16string& wanted = contested[(t + round) % 3];
          const Error error = RaisedBy([&] { store_->SetName(u"Terminal", id(t), wanted); });
          if (error.Number() == 0) name = wanted;
          EXPECT_TRUE(error.Number() == 0 || error.Number() == errors::kDuplicateKey);
          if (round % 5 == 0) {
            store_->SetName(u"Terminal", id(t), u"");
            name = id(t);
          }
          EXPECT_EQ(settings->Name(), name);
          EXPECT_EQ(settings->GetSetting(u"round", int32_t{-1}), Variant(round));
          EXPECT_EQ(store_->GetSetting(u"Terminal", neighbour, u"owner"),
                    Variant((t + 1) % kTerminals));
          eraser.SetObjectID(settings->Name());
          eraser.RemoveSettings({u"round"});
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
