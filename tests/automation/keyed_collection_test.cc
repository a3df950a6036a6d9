#include "carrowin/automation/keyed_collection.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using Items = std::vector<std::string>;

constexpr std::u16string_view kNotFound = u"Invalid procedure call or argument";
constexpr std::u16string_view kOutOfRange = u"Subscript out of range";

class KeyedCollectionTest : public ::testing::Test {
 protected:
  KeyedCollectionTest() : pages_(u"Pages") {
    pages_.Add("main", u"Main");
    pages_.Add("anonymous");
    pages_.Add("umlaut", u"\u00C4rger");
    pages_.Add("street", u"STRASSE");
  }
  Items All() const { return {pages_.begin(), pages_.end()}; }

  KeyedCollection<std::string> pages_;
};

TEST_F(KeyedCollectionTest, KeysFindItemsInAnyCaseWhilePositionsFollowInsertionOrder) {
  EXPECT_EQ(pages_.Item(u"\u00E4RGER"), "umlaut");
  EXPECT_EQ(pages_.Item(u"stra\u00DFe"), "street");
  // Folding makes every character longer here, and keeps an unpaired surrogate.
  pages_.Add("long", std::u16string(300, u'\u00DF') + char16_t{0xD800});
  EXPECT_EQ(pages_.Item(std::u16string(600, u'S') + char16_t{0xD800}), "long");
  EXPECT_FALSE(pages_.Contains(std::u16string(600, u's')));
  pages_.Remove(u"MAIN");
  pages_.Remove(1);  // the unkeyed item, now first
  pages_.Insert(1, "first", u"First");
  pages_.Insert(pages_.Count() + 1, "main again", u"main");  // a removed key is free again
  EXPECT_EQ(All(), (Items{"first", "umlaut", "street", "long", "main again"}));
  pages_.Clear();
  pages_.Add("new", u"Main");
  EXPECT_EQ(All(), Items{"new"});
}

TEST_F(KeyedCollectionTest, RefusalsRaiseTheCollectionErrorsAndChangeNothing) {
  const std::u16string_view duplicate =
      u"This key is already associated with an element of this collection";
  ExpectError([&] { pages_.Add("x", u"MAIN"); }, errors::kDuplicateKey, duplicate);
  ExpectError([&] { pages_.Insert(1, "x", u"Stra\u00DFe"); }, errors::kDuplicateKey, duplicate);
  for (const int32_t position : {0, 5, std::numeric_limits<int32_t>::min()})
    ExpectError([&] { pages_.KeyAt(position); }, errors::kSubscriptOutOfRange, kOutOfRange);
  ExpectError([&] { pages_.Item(0); }, errors::kSubscriptOutOfRange, kOutOfRange);
  ExpectError([&] { pages_.Insert(6, "x", u"x"); }, errors::kSubscriptOutOfRange, kOutOfRange);
  ExpectError([&] { pages_.Item(u"Other"); }, errors::kInvalidProcedureCall, kNotFound);
  ExpectError([&] { pages_.Remove(u"anonymous"); }, errors::kInvalidProcedureCall, kNotFound);
  EXPECT_EQ(All(), (Items{"main", "anonymous", "umlaut", "street"}));
}

TEST_F(KeyedCollectionTest, AVariantIndexIsAKeyOrAPosition) {
  EXPECT_EQ(pages_.Item(Variant(u"main")), "main");
  EXPECT_EQ(pages_.Item(Variant(int16_t{3})), "umlaut");
  EXPECT_EQ(pages_.Item(Variant(2.5)), "anonymous");  // rounds half to even
  // A string is always a key; a Boolean or Null is no position.
  ExpectError([&] { pages_.Item(Variant(u"1")); }, errors::kInvalidProcedureCall, kNotFound);
  for (const Variant& index : {Variant(true), Variant::Null()}) {
    ExpectError([&] { pages_.Item(index); }, errors::kTypeMismatch, u"Type mismatch");
    EXPECT_EQ(pages_.Find(index), nullptr);
  }
}

}  // namespace
}  // namespace carrowin
