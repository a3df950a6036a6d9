#include <vector>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

using PagesTest = TerminalFixture;

TEST_F(PagesTest, FindsPagesByNameInAnyCaseAndByPosition) {
  Pages& pages = *terminal->Pages();
  const auto main = pages.Add(u"Main");
  const auto pick = pages.Add(u"Pick");

  EXPECT_EQ(pages.Item(u"MAIN"), main);
  EXPECT_EQ(pages[int32_t{2}], pick);
  for (const Variant& missing :
       {Variant(int32_t{0}), Variant(int32_t{3}), Variant(u"Other"), Variant::Null()}) {
    EXPECT_EQ(pages.Item(missing), nullptr)
        << ToUtf8(missing.IsNull() ? u"Null" : missing.ToString());
  }
  EXPECT_EQ(main->PageNumber(), 0);
  EXPECT_FALSE(main->Reuse());
  EXPECT_EQ(main->Terminal(), terminal);
}

TEST_F(PagesTest, DuplicateNameIsRefusedAfterThePageWasMade) {
  Pages& pages = *terminal->Pages();
  const auto main = pages.Add(u"Main");
  trace->Clear();
  EXPECT_EQ(RaisedBy([&] { pages.Add(u"MAIN"); }).Number(), 457);
  EXPECT_TRUE(trace->HasLine(3, u"Initialize", u"Trace created"));
  EXPECT_EQ(pages.Count(), 1);
  EXPECT_EQ(pages.Item(u"main"), main);
}

TEST_F(PagesTest, RemoveTerminatesThePageAndKeepsTheOrderOfTheRest) {
  Pages& pages = *terminal->Pages();
  for (const char16_t* name : {u"A", u"B", u"C"}) pages.Add(name);
  const auto b = pages.Item(u"b");
  pages.Remove(u"B");

  EXPECT_EQ(b->Terminal(), nullptr);
  std::vector<std::u16string> names;
  for (const auto& page : pages) names.push_back(page->Name());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"A", u"C"}));
  EXPECT_EQ(RaisedBy([&] { pages.Remove(u"B"); }).Number(), 5);
  EXPECT_EQ(RaisedBy([&] { pages.Remove(int32_t{3}); }).Number(), 9);
  EXPECT_EQ(pages.Count(), 2);
}

TEST_F(PagesTest, RemovingTheSelectedPageLeavesOthersOffTheTerminal) {
  Pages& pages = *terminal->Pages();
  const auto main = pages.Add(u"Main");
  const auto saved = pages.Add(u"Saved");
  saved->SetReuse(true);
  saved->SetPageNumber(1);
  main->Display(u"");
  ASSERT_TRUE(saved->OnTerminal());
  pages.Remove(u"Main");

  EXPECT_EQ(terminal->SelectedPage(), u"Main");
  EXPECT_FALSE(saved->OnTerminal());
}

}  // namespace
}  // namespace carrowin::testing_support
