#include <string>
#include <utility>

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
  terminal->Pages()->Remove(u"Main");  // the selected page is gone
  EXPECT_FALSE(savedElsewhere->OnTerminal());
}

TEST_F(PageTest, EntryPromptsKeepTheRecentEntryValuesAndAKeyLocksTheKeyboard) {
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
  page->evtFunctionKey.Connect([](int32_t& key, std::u16string&) { key = 99; });
  page->Display(u"Qty");
  int32_t key = 3;
  page->RaiseFunctionKey(key, 2);
  EXPECT_EQ(key, 99) << "the handler changes the caller's variable";
  EXPECT_TRUE(terminal->Locked());
}

TEST_F(PageTest, DuplicateNameIsRefusedAfterThePageWasMade) {
  const auto main = terminal->Pages()->Add(u"Main");
  trace->Clear();
  EXPECT_EQ(RaisedBy([&] { terminal->Pages()->Add(u"MAIN"); }).Number(), 457);
  EXPECT_TRUE(trace->HasLine(3, u"Initialize", u"Trace created"));
  EXPECT_EQ(terminal->Pages()->Item(u"main"), main);
}

class FieldsTest : public TerminalFixture {
 protected:
  std::shared_ptr<Page> page = terminal->Pages()->Add(u"Main");
  Fields& fields = *page->Fields();
};

TEST_F(FieldsTest, FindsFieldsByNameOrByNumberNeverByPosition) {
  const auto qty = fields.AddEntry(3, u"Qty", 1, 1, 4);
  const auto named3 = fields.AddEntry(1, u"3", 2, 1, 4);
  EXPECT_EQ(fields.Item(u"QTY"), qty);
  EXPECT_EQ(fields[3.0], qty);
  EXPECT_EQ(fields.Item(u"3"), named3);
  EXPECT_EQ(fields.Item(int32_t{2}), nullptr);
  EXPECT_EQ(RaisedBy([&] { fields.AddEntry(9, u"qty", 1, 1, 4); }).Number(), 457);
}

TEST_F(FieldsTest, DuplicateNumberStoresTheFieldUnderNeitherKey) {
  fields.AddEntry(3, u"Qty", 1, 1, 4);
  EXPECT_EQ(RaisedBy([&] { fields.AddEntry(3, u"Lot", 2, 1, 4); }).Number(), 457);
  EXPECT_EQ(fields.Item(u"Lot"), nullptr);
  EXPECT_EQ(fields.Count(), 1);
  EXPECT_NE(fields.AddEntry(4, u"Lot", 2, 1, 4), nullptr) << "the name is free again";
}

TEST_F(FieldsTest, AddTextAndAddEntryNameSizeAndPlaceTheirFields) {
  const auto text = fields.AddText(5, u"Qty", 1, 1, u"Qty:", StyleRJust);
  const auto entry = fields.AddEntry(6, u"Qty", 1, 6, 5, StyleNum);
  EXPECT_EQ(text->Name(), u"TQty");
  EXPECT_EQ(text->Style(), 17);
  EXPECT_EQ(text->Size(), 4);
  EXPECT_EQ(entry->Style(), 35);
  EXPECT_EQ(entry->Column(), 5);
  EXPECT_EQ(RaisedBy([&] { fields.AddEntry(7, u"X", INT32_MIN, 1, 1); }).Number(), 6);
  EXPECT_EQ(fields.NewIndex(), 1) << "the lowest free number";
}

TEST_F(FieldsTest, TabDestinationMovesInReadingOrderAndWraps) {
  fields.AddEntry(1, u"A", 3, 1, 2);
  fields.AddEntry(2, u"B", 3, 11, 2);
  fields.AddEntry(3, u"D", 6, 1, 2);
  fields.AddText(4, u"", 4, 1, u"T");
  using Move = std::pair<const char16_t*, const char16_t*>;
  for (const auto& [from, to] : {Move{u"A", u"B"}, Move{u"D", u"A"}, Move{u"T", u"D"}}) {
    EXPECT_EQ(fields.TabDestination(from)->Name(), to);
  }
  EXPECT_EQ(RaisedBy([&] { fields.TabDestination(u"None"); }).Number(), 91);
  Fields& textOnly = *terminal->Pages()->Add(u"Text")->Fields();
  const auto title = textOnly.AddText(1, u"Title", 1, 1, u"Hi");
  EXPECT_EQ(textOnly.TabDestination(u"TTitle"), title) << "no entry field to move to";
}

TEST_F(FieldsTest, ChangesReachTheTerminalOnlyWhileThePageIsThere) {
  fields.AddEntry(1, u"Qty", 1, 1, 4);
  EXPECT_EQ(Commands(), "");
  page->Display(u"");
  Commands();
  fields.AddText(2, u"Unit", 1, 6, u"pcs");
  fields.Remove(u"Qty");
  fields.Remove(u"Qty");
  fields.RemoveAll();
  EXPECT_EQ(Commands(), "f2053pcse1E");
  EXPECT_EQ(fields.Count(), 0);
}

}  // namespace
}  // namespace carrowin::testing_support
