#include <string>
#include <vector>

#include "terminal/status_names.h"
#include "terminal/terminal_cycle_fixture.h"

namespace carrowin::testing_support {
namespace {

using Keys = std::vector<std::u16string>;
const Keys kLevel1 = {u"statusOnline", u"statusScreen", u"statusScreenChangeTime"};
const Keys kLevel2 = {u"statusExecuting", u"statusExecStartTime", u"statusExecEndTime"};
const Keys kLevel3 = {u"statusFunctionCode", u"statusResponseType"};

class TerminalStatus : public TerminalCycleFixture {
 protected:
  void Seed(const Keys& keys) {
    for (const auto& key : keys) store->SetSetting(u"Terminal", u"T1", key, Variant(u"old"));
  }
  // Which of these keys the record holds.
  Keys Present(const Keys& keys) const {
    Keys present;
    for (const auto& key : keys) {
      if (Status(key) != Variant(u"absent")) present.push_back(key);
    }
    return present;
  }
};

TEST_F(TerminalStatus, EachLevelRemovesWhatItNoLongerKeepsAndWritesNothingUnasked) {
  Keys all = kLevel1;
  all.insert(all.end(), kLevel2.begin(), kLevel2.end());
  const Keys upToLevel2 = all;
  all.insert(all.end(), kLevel3.begin(), kLevel3.end());
  for (const auto& [level, kept] : {std::pair{0, Keys{}}, std::pair{-1, kLevel1},
                                    std::pair{1, kLevel1}, std::pair{2, upToLevel2}}) {
    store->Clear();
    SetStatusLevel(level);
    terminal->Initialize(std::make_shared<InProcessConnection>(sender), u"T1");
    terminal->SetThread(thread);
    Seed(all);
    terminal->ExecuteBackground();  // an empty cycle only refreshes the level
    EXPECT_EQ(Present(all), kept) << level;
  }
  Seed(kLevel3);
  SetStatusLevel(3);
  terminal->ExecuteBackground();
  EXPECT_EQ(Present(kLevel3), kLevel3) << "raising the level removes nothing";
}

TEST_F(TerminalStatus, CycleWritesOnlineAndLocalTimeDigits) {
  Cycle("O");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), -1);
  const std::u16string start = Status(u"statusExecStartTime").ToString();
  EXPECT_EQ(start.size(), 14u);
  EXPECT_EQ(start.find_first_not_of(u"0123456789"), std::u16string::npos);
  EXPECT_EQ(Status(u"statusExecEndTime").ToString(), start) << "the clock stands still";
}

TEST_F(TerminalStatus, ScreenIsWrittenWithoutMarkingOnlineAndOfflineWinsTheCycle) {
  const auto page = terminal->Pages()->Add(u"Main");
  terminal->ExecuteBackground();  // reads the level
  terminal->SetCurrentScreen(u"  ");
  EXPECT_EQ(Status(u"statusScreen").ToString(), u"  ");
  EXPECT_EQ(Status(u"statusOnline"), Variant(u"absent"));
  terminal->evtOffline.Connect([&] { page->Display(u""); });
  Cycle("F");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), 0) << "over a handler that shows a screen";
  EXPECT_EQ(Status(u"statusScreen").ToString(), u"Main");
  Cycle("O");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), -1) << "a new cycle writes online again";
}

TEST(StatusNames, NameCodesAndTypes) {
  EXPECT_EQ(FunctionCodeName('^'), u"Initialize");
  EXPECT_EQ(FunctionCodeName(0x80), u"Unknown: \u20AC") << "in the host's ANSI code page";
  EXPECT_EQ(ResponseTypeName('x'), u"Unknown: x");
}

}  // namespace
}  // namespace carrowin::testing_support
