#include <utility>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

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
