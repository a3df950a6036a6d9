#include <string>

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

TEST_F(PageTest, DisplaySelectsOnlyANewPageNumberAndDrawsOnlyUnsavedPages) {
  const auto pick = AddPage(u"Pick", 0);
  const auto saved = AddPage(u"Saved", 1, true);
  pick->SelectPage();  // the first selection is sent even for page 0, once
  pick->SelectPage();
  pick->ClearAll();
  EXPECT_EQ(Commands(), "s0C");
  pick->Display(u"Qty");
  EXPECT_EQ(Commands(), "Ef1004Picki210\x03\x00"s + "4d0o2");
  AddPage(u"Other", 2)->Display(u"Nowhere");
  EXPECT_EQ(Commands(), "s2Ef1004Picki210\x03\x00"s + "4d2o/");
  saved->Display(u"Qty");
  EXPECT_EQ(Commands(), "s1d1o2");
  EXPECT_EQ(terminal->CurrentScreen(), u"Saved");
}

TEST_F(PageTest, OnTerminalForSelectedSavedAndOtherPages) {
  const auto main = AddPage(u"Main", 0);
  const auto savedElsewhere = AddPage(u"Saved1", 1, true);
  const auto savedOnSameNumber = AddPage(u"Saved0", 0, true);
  EXPECT_FALSE(savedElsewhere->OnTerminal()) << "nothing is selected yet";
  main->SelectPage();
  EXPECT_TRUE(main->OnTerminal());
  EXPECT_TRUE(savedElsewhere->OnTerminal());
  EXPECT_FALSE(savedOnSameNumber->OnTerminal());
  terminal->SetSelectedPage(u"main");
  EXPECT_FALSE(main->OnTerminal()) << "the selected page's name compares exactly";
  terminal->SetSelectedPage(u"Main");
  terminal->Pages()->Remove(u"Main");  // the selected page's name stays behind
  EXPECT_FALSE(savedElsewhere->OnTerminal());
}

TEST_F(PageTest, EntryPromptsKeepTheRecentEntryValues) {
  const auto page = AddPage(u"Main", 0);
  page->StartEntryAdv(u"Qty", u"Count");
  page->StartEntry(u"Qty");
  EXPECT_EQ(page->RecentStartEntryMsg(), u"Count");
  page->StartEntryAdv(u"TTitle", u"Look");
  EXPECT_EQ(page->RecentStartEntryFld(), u"");
  page->StartEntry(u"None");
  EXPECT_EQ(page->RecentStartEntryMsg(), u"");
  page->StartHeyYou(3, u"OK?");
  EXPECT_EQ(Commands(), "s0a25Counto2a/4Looko/h3" + std::string("3OK?"));
}

TEST_F(PageTest, FunctionKeyLocksTheKeyboardAndItsHandlerMayChangeTheKey) {
  const auto page = AddPage(u"Main", 0);
  page->evtFunctionKey.Connect(
      [&](int32_t& key, std::u16string& field) { key = field == u"Qty" ? 99 : 0; });
  page->Display(u"Qty");
  int32_t key = 3;
  page->RaiseFunctionKey(key, 2);
  EXPECT_EQ(key, 99);
  EXPECT_TRUE(terminal->Locked());
  page->RaiseFunctionKey(key, 7);
  EXPECT_EQ(key, 0) << "no field 7";
}

TEST_F(PageTest, DuplicateNameIsRefusedAfterThePageWasMade) {
  const auto main = terminal->Pages()->Add(u"Main");
  trace->Clear();
  EXPECT_EQ(RaisedBy([&] { terminal->Pages()->Add(u"MAIN"); }).Number(), 457);
  EXPECT_TRUE(trace->HasLine(3, u"Initialize", u"Trace created"));
  EXPECT_EQ(terminal->Pages()->Item(u"main"), main);
}

}  // namespace
}  // namespace carrowin::testing_support
