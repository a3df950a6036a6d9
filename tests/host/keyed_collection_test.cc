#include "carrowin/host/keyed_collection.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "carrowin/host/error.h"
#include "carrowin/host/key_folding.h"
#include "host/expect_error.h"

namespace carrowin {
namespace {

TEST(KeyFoldingTest, FoldsFullUnicodeCase) {
  EXPECT_EQ(FoldKey(u"Main"), u"main");
  EXPECT_EQ(FoldKey(u"\u00C4rger"), u"\u00E4rger");
  EXPECT_EQ(FoldKey(u"Stra\u00DFe"), u"strasse");
  EXPECT_EQ(FoldKey(u"\u03A3\u03C2"), u"\u03C3\u03C3");
  EXPECT_EQ(FoldKey(u""), u"");
  // Every character growing at once needs more room than the first attempt.
  EXPECT_EQ(FoldKey(std::u16string(300, u'\u00DF')), std::u16string(600, u's'));
  const std::u16string unpaired = {u'A', char16_t{0xD800}};
  EXPECT_EQ(FoldKey(unpaired), (std::u16string{u'a', char16_t{0xD800}}));
}

std::vector<std::string> Items(const KeyedCollection<std::string>& collection) {
  return {collection.begin(), collection.end()};
}

class KeyedCollectionTest : public ::testing::Test {
 protected:
  KeyedCollectionTest() : pages_(u"Pages") {
    pages_.Add("main", u"Main");
    pages_.Add("anonymous");
    pages_.Add("umlaut", u"\u00C4rger");
    pages_.Add("street", u"STRASSE");
  }

  KeyedCollection<std::string> pages_;
};

TEST_F(KeyedCollectionTest, KeepsInsertionOrderAndFindsKeysInAnyCase) {
  EXPECT_EQ(pages_.Count(), 4);
  EXPECT_EQ(Items(pages_), (std::vector<std::string>{"main", "anonymous", "umlaut", "street"}));
  EXPECT_EQ(pages_.Item(u"MAIN"), "main");
  EXPECT_EQ(pages_.Item(u"\u00E4RGER"), "umlaut");
  EXPECT_EQ(pages_.Item(u"stra\u00DFe"), "street");
  EXPECT_EQ(pages_.Item(1), "main");
  EXPECT_EQ(pages_.Item(4), "street");
  EXPECT_TRUE(pages_.Contains(u"main"));
  EXPECT_FALSE(pages_.Contains(u"anonymous"));
  EXPECT_EQ(pages_.KeyAt(1), u"Main");
  EXPECT_EQ(pages_.KeyAt(2), std::nullopt);
}

TEST_F(KeyedCollectionTest, DuplicateKeyIsRefusedAndChangesNothing) {
  for (const char16_t* key : {u"MAIN", u"\u00E4rger", u"Stra\u00DFe"}) {
    const Error error = RaisedBy([&] { pages_.Add("intruder", key); });
    EXPECT_EQ(error.Number(), errors::kDuplicateKey);
    EXPECT_EQ(error.Description(),
              u"This key is already associated with an element of this collection");
    EXPECT_EQ(error.Source(), u"Pages");
  }
  EXPECT_EQ(RaisedBy([&] { pages_.Insert(1, "intruder", u"main"); }).Number(),
            errors::kDuplicateKey);
  EXPECT_EQ(Items(pages_), (std::vector<std::string>{"main", "anonymous", "umlaut", "street"}));
  EXPECT_EQ(pages_.KeyAt(1), u"Main");
}

TEST_F(KeyedCollectionTest, MissingKeysAndPositionsRaiseTheCollectionErrors) {
  EXPECT_EQ(RaisedBy([&] { pages_.Item(u"Other"); }).Number(), errors::kInvalidProcedureCall);
  EXPECT_EQ(RaisedBy([&] { pages_.Item(u"anonymous"); }).Number(), errors::kInvalidProcedureCall);
  for (const int32_t position : {0, -1, 5, std::numeric_limits<int32_t>::min()}) {
    EXPECT_EQ(RaisedBy([&] { pages_.Item(position); }).Number(), errors::kSubscriptOutOfRange);
    EXPECT_EQ(RaisedBy([&] { pages_.KeyAt(position); }).Number(), errors::kSubscriptOutOfRange);
    EXPECT_EQ(RaisedBy([&] { pages_.Remove(position); }).Number(), errors::kSubscriptOutOfRange);
  }
  EXPECT_EQ(RaisedBy([&] { pages_.Remove(u"Other"); }).Number(), errors::kInvalidProcedureCall);
  EXPECT_EQ(pages_.Count(), 4);
  EXPECT_EQ(pages_.Find(u"Other"), nullptr);
  ASSERT_NE(pages_.Find(u"main"), nullptr);
  EXPECT_EQ(*pages_.Find(u"main"), "main");
}

TEST_F(KeyedCollectionTest, VariantIndexIsAKeyOrAPosition) {
  EXPECT_EQ(pages_.Item(Variant(u"main")), "main");
  EXPECT_EQ(pages_.Item(Variant(int16_t{3})), "umlaut");
  EXPECT_EQ(pages_.Item(Variant(int32_t{2})), "anonymous");
  EXPECT_EQ(pages_.Item(Variant(3.5)), "street");  // rounds half to even
  EXPECT_EQ(pages_.Item(Variant(2.5)), "anonymous");

  const struct {
    Variant index;
    int32_t error;
  } failures[] = {
      {u"1", errors::kInvalidProcedureCall},  // a string is always a key
      {int32_t{0}, errors::kSubscriptOutOfRange},
      {1e10, errors::kOverflow},
      {true, errors::kTypeMismatch},
      {Variant(), errors::kTypeMismatch},
      {Variant::Null(), errors::kTypeMismatch},
      {std::make_shared<Object>(), errors::kTypeMismatch},
  };
  for (const auto& [index, error] : failures) {
    EXPECT_EQ(RaisedBy([&] { pages_.Item(index); }).Number(), error);
    EXPECT_EQ(pages_.Find(index), nullptr);
  }
  pages_.Remove(Variant(u"\u00E4rger"));
  EXPECT_EQ(pages_.Find(Variant(int32_t{3})), &pages_.Item(3));
  EXPECT_EQ(*pages_.Find(Variant(int32_t{3})), "street");
}

TEST_F(KeyedCollectionTest, RemovalShiftsPositionsAndKeepsKeysReachable) {
  pages_.Remove(u"main");
  pages_.Remove(1);  // the unkeyed item, now first
  EXPECT_EQ(Items(pages_), (std::vector<std::string>{"umlaut", "street"}));
  EXPECT_EQ(pages_.Item(u"strasse"), "street");
  EXPECT_EQ(pages_.Item(u"\u00C4RGER"), "umlaut");
  EXPECT_EQ(pages_.KeyAt(2), u"STRASSE");
  EXPECT_FALSE(pages_.Contains(u"main"));
  pages_.Add("main again", u"MAIN");  // a removed key is free again
  EXPECT_EQ(pages_.Item(3), "main again");
  EXPECT_EQ(pages_.Item(u"main"), "main again");
}

TEST_F(KeyedCollectionTest, InsertPlacesTheItemAtAPosition) {
  pages_.Insert(1, "first", u"First");
  pages_.Insert(3, "middle", std::nullopt);
  pages_.Insert(pages_.Count() + 1, "last", u"Last");
  EXPECT_EQ(Items(pages_), (std::vector<std::string>{"first", "main", "middle", "anonymous",
                                                     "umlaut", "street", "last"}));
  EXPECT_EQ(pages_.Item(u"main"), "main");
  EXPECT_EQ(pages_.Item(u"strasse"), "street");
  EXPECT_EQ(pages_.Item(u"last"), "last");
  EXPECT_EQ(RaisedBy([&] { pages_.Insert(0, "x", u"x"); }).Number(), errors::kSubscriptOutOfRange);
  EXPECT_EQ(RaisedBy([&] { pages_.Insert(9, "x", u"x"); }).Number(), errors::kSubscriptOutOfRange);
  EXPECT_EQ(pages_.Count(), 7);
}

TEST_F(KeyedCollectionTest, ItemsCanBeChangedInPlaceAndCleared) {
  pages_.Item(u"main") = "renamed";
  for (std::string& item : pages_) item += "!";
  EXPECT_EQ(pages_.Item(1), "renamed!");
  pages_.Clear();
  EXPECT_EQ(pages_.Count(), 0);
  EXPECT_FALSE(pages_.Contains(u"main"));
  EXPECT_EQ(pages_.begin(), pages_.end());
  pages_.Add("new", u"Main");
  EXPECT_EQ(pages_.Item(u"main"), "new");
}

}  // namespace
}  // namespace carrowin
