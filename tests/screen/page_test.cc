#include <string>
#include <vector>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

using namespace std::string_literals;

class PageTest : public TerminalFixture {
 protected:
  std::shared_ptr<Page> AddPage(const char16_t* name, int32_t pageNumber, bool reuse = false) {
    auto page = terminal->Pages()->Add(name);
    page->SetPageNumber(pageNumber);
    page->SetReuse(reuse);
    page->Fields()->AddText(1, u"Title", 1, 1, u"Pick");
    page->Fields()->AddEntry(2, u"Qty", 2, 1, 4);
    return page;
  }
};

TEST_F(PageTest, DisplayDrawsSelectsAndOpensInOrder) {
  const auto pick = AddPage(u"Pick", 0);
  pick->Display(u"Qty");
  EXPECT_EQ(Commands(), "s0Ef1004Picki210\x03\x00"s + "4d0o2");
  EXPECT_EQ(terminal->CurrentScreen(), u"Pick");
  EXPECT_EQ(pick->RecentStartEntryFld(), u"Qty");
  EXPECT_FALSE(terminal->Locked());
}

TEST_F(PageTest, PagesSharingANumberRedrawWithoutSelecting) {
  AddPage(u"First", 2)->Display(u"");
  Commands();
  AddPage(u"Second", 2)->Display(u"Nowhere");
  EXPECT_EQ(Commands(), "Ef1004Picki210\x03\x00"s + "4d2o/");
  EXPECT_EQ(terminal->Pages()->Item(u"Second")->RecentStartEntryFld(), u"Nowhere");
}

TEST_F(PageTest, SavedPageIsOnlySwitchedTo) {
  const auto saved = AddPage(u"Saved", 1, true);
  saved->Display(u"Qty");
  EXPECT_EQ(Commands(), "s1d1o2");
}

TEST_F(PageTest, OnTerminalForSelectedSavedAndOtherPages) {
  const auto main = AddPage(u"Main", 0);
  const auto savedElsewhere = AddPage(u"Saved1", 1, true);
  const auto savedOnSameNumber = AddPage(u"Saved0", 0, true);
  const auto other = AddPage(u"Other", 1);
  EXPECT_FALSE(savedElsewhere->OnTerminal()) << "nothing is selected yet";
  main->SelectPage();

  EXPECT_TRUE(main->OnTerminal());
  EXPECT_TRUE(savedElsewhere->OnTerminal());
  EXPECT_FALSE(savedOnSameNumber->OnTerminal());
  EXPECT_FALSE(other->OnTerminal());
  terminal->SetSelectedPage(u"main");
  EXPECT_FALSE(main->OnTerminal()) << "the selected page's name compares exactly";
}

TEST_F(PageTest, EntryPromptsKeepTheRecentEntryValues) {
  const auto page = AddPage(u"Main", 0);
  page->StartEntryAdv(u"Qty", u"Count");
  page->StartEntry(u"Qty");
  EXPECT_EQ(page->RecentStartEntryMsg(), u"Count");
  page->StartEntryAdv(u"TTitle", u"Look");
  EXPECT_EQ(page->RecentStartEntryFld(), u"");
  page->StartEntry(u"TTitle");
  EXPECT_EQ(page->RecentStartEntryFld(), u"TTitle");
  page->StartEntry(u"None");
  EXPECT_EQ(page->RecentStartEntryMsg(), u"");
  page->StartHeyYou(3, u"OK?");
  EXPECT_EQ(Commands(), "s0a25Counto2a/4Looko1o/h3" + std::string("3OK?"));
}

TEST_F(PageTest, OperatorEventsLockTheKeyboardAndReachTheHandlers) {
  const auto page = AddPage(u"Main", 0);
  std::vector<std::u16string> seen;
  page->evtFunctionKey.Connect([&](int32_t& key, std::u16string& field) {
    seen.push_back(field);
    key = 99;
  });
  page->evtHeyYou.Connect([&](std::u16string& data) { data = u"changed"; });
  page->Display(u"Qty");

  int32_t key = 3;
  page->RaiseFunctionKey(key, 2);
  page->RaiseFunctionKey(key, 7);
  page->RaiseFunctionKey(key, -1);
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"Qty", u"", u""}));
  EXPECT_EQ(key, 99) << "the handler changes the caller's variable";
  EXPECT_TRUE(terminal->Locked());
  EXPECT_EQ(page->RecentStartEntryFld(), u"");
  std::u16string answer = u"yes";
  page->RaiseHeyYou(answer);
  EXPECT_EQ(answer, u"changed");
  EXPECT_TRUE(trace->HasLine(1, u"RaiseFunctionKey", u"Raising FunctionKey 3 in Field Qty"));
}

TEST_F(PageTest, FirstSelectionAlwaysSendsEvenForPageZero) {
  EXPECT_EQ(terminal->CurrentPageNumber(), -1);
  const auto page = terminal->Pages()->Add(u"Zero");
  page->SelectPage();
  page->SelectPage();
  page->ClearAll();
  EXPECT_EQ(Commands(), "s0C");
  EXPECT_EQ(terminal->CurrentPageNumber(), 0);
}

}  // namespace
}  // namespace carrowin::testing_support
