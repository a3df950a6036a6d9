#include <string>
#include <vector>

#include "terminal/status_names.h"
#include "terminal/terminal_cycle_fixture.h"

namespace carrowin::testing_support {
namespace {

const std::vector<std::u16string> kLevel1 = {u"statusOnline", u"statusScreen",
                                             u"statusScreenChangeTime"};
const std::vector<std::u16string> kLevel2 = {u"statusExecuting", u"statusExecStartTime",
                                             u"statusExecEndTime"};
const std::vector<std::u16string> kLevel3 = {u"statusFunctionCode", u"statusResponseType"};

class TerminalStatus : public TerminalCycleFixture {
 protected:
  void Seed(const std::vector<std::u16string>& keys) {
    for (const auto& key : keys) store->SetSetting(u"Terminal", u"T1", key, Variant(u"old"));
  }
  // Which of these keys the record holds.
  std::vector<std::u16string> Present(const std::vector<std::u16string>& keys) const {
    std::vector<std::u16string> present;
    for (const auto& key : keys) {
      if (Status(key) != Variant(u"absent")) present.push_back(key);
    }
    return present;
  }
};

TEST_F(TerminalStatus, EachLevelRemovesWhatItNoLongerKeepsAndWritesOnlyItsOwn) {
  struct Case {
    int32_t level;
    std::vector<std::u16string> keptOfSeeded;
  };
  const Case cases[] = {{0, {}},
                        {-1, kLevel1},
                        {1, kLevel1},
                        {2,
                         {u"statusOnline", u"statusScreen", u"statusScreenChangeTime",
                          u"statusExecuting", u"statusExecStartTime", u"statusExecEndTime"}}};
  std::vector<std::u16string> all = kLevel1;
  all.insert(all.end(), kLevel2.begin(), kLevel2.end());
  all.insert(all.end(), kLevel3.begin(), kLevel3.end());
  for (const Case& c : cases) {
    store->Clear();
    SetStatusLevel(c.level);
    terminal->Initialize(std::make_shared<InProcessConnection>(sender), u"T1");
    terminal->SetThread(thread);
    Seed(all);
    terminal->ExecuteBackground();  // an empty cycle only refreshes the level
    EXPECT_EQ(Present(all), c.keptOfSeeded) << c.level;
    EXPECT_EQ(Status(u"statusOnline"), c.level != 0 ? Variant(u"old") : Variant(u"absent"))
        << "written nothing, removed only at level 0";
  }
}

TEST_F(TerminalStatus, LevelOneWritesOnlineOnceAndNothingOfExecution) {
  SetStatusLevel(1);
  Cycle("O");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), -1);
  EXPECT_EQ(Present(kLevel2), std::vector<std::u16string>{});
  EXPECT_EQ(Present(kLevel3), std::vector<std::u16string>{});
}

TEST_F(TerminalStatus, LoweringTheLevelRemovesAtTheNextCycleAndRaisingRemovesNothing) {
  Cycle("O");
  EXPECT_EQ(Present(kLevel3), kLevel3);
  SetStatusLevel(1);
  terminal->ExecuteBackground();
  EXPECT_EQ(Present(kLevel2), std::vector<std::u16string>{});
  EXPECT_EQ(Present(kLevel3), std::vector<std::u16string>{});
  Seed(kLevel3);
  SetStatusLevel(3);
  terminal->ExecuteBackground();
  EXPECT_EQ(Present(kLevel3), kLevel3);
}

TEST_F(TerminalStatus, ExecutionTimesAreLocalTimeDigits) {
  Cycle("O");
  const std::u16string start = Status(u"statusExecStartTime").ToString();
  EXPECT_EQ(start.size(), 14u);
  EXPECT_EQ(start.find_first_not_of(u"0123456789"), std::u16string::npos);
  EXPECT_EQ(Status(u"statusExecEndTime").ToString(), start) << "the clock stands still";
  EXPECT_EQ(Status(u"statusExecuting").ToLong(), 0);
}

TEST_F(TerminalStatus, EmptyScreenIsWrittenWithoutMarkingOnline) {
  terminal->ExecuteBackground();
  terminal->SetCurrentScreen(u"  ");
  EXPECT_EQ(Status(u"statusScreen").ToString(), u"  ");
  EXPECT_EQ(Status(u"statusOnline"), Variant(u"absent"));
}

TEST_F(TerminalStatus, OfflineWinsOverAHandlerThatShowsAScreen) {
  const auto page = terminal->Pages()->Add(u"Main");
  terminal->evtOffline.Connect([&] { page->Display(u""); });
  Cycle("F");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), 0);
  EXPECT_EQ(Status(u"statusScreen").ToString(), u"Main");
  Cycle("O");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), -1) << "a new cycle writes online again";
}

TEST(StatusNames, NameCodesAndTypes) {
  EXPECT_EQ(FunctionCodeName('^'), u"Initialize");
  EXPECT_EQ(FunctionCodeName(0), u"N/A");
  EXPECT_EQ(FunctionCodeName(0x80), u"Unknown: \u20AC") << "in the host's ANSI code page";
  EXPECT_EQ(ResponseTypeName('='), u"Field Update");
  EXPECT_EQ(ResponseTypeName('x'), u"Unknown: x");
}

}  // namespace
}  // namespace carrowin::testing_support
