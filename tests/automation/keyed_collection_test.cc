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

constexpr std::u16string_view kOutOfRange = u"Subscript out of range";

class KeyedCollectionTest : public ::testing::Test {
 protected:
  KeyedCollectionTest() : pages_(u"Pages") {
    pages_.Add("main", u"Main");
    pages_.Add("anonymous");
    pages_.Add("umlaut", u"\u00C4rger");
  }
  Items All() const { return {pages_.begin(), pages_.end()}; }

  KeyedCollection<std::string> pages_;
};

// Refused calls come first: the order checked at the end shows they changed nothing.
TEST_F(KeyedCollectionTest, KeysFindItemsInAnyCaseAndPositionsFollowInsertionOrder) {
  ExpectError([&] { pages_.Insert(1, "x", u"\u00E4RGER"); }, errors::kDuplicateKey,
              u"This key is already associated with an element of this collection");
  for (const int32_t position : {0, 4, std::numeric_limits<int32_t>::min()})
    ExpectError([&] { pages_.KeyAt(position); }, errors::kSubscriptOutOfRange, kOutOfRange);
  ExpectError([&] { pages_.Insert(5, "x", u"x"); }, errors::kSubscriptOutOfRange, kOutOfRange);
  // A string is always a key; a Boolean or Null is no position.
  ExpectError([&] { pages_.Item(Variant(u"1")); }, errors::kInvalidProcedureCall,
              u"Invalid procedure call or argument");
  for (const Variant& index : {Variant(true), Variant::Null()}) {
    ExpectError([&] { pages_.Item(index); }, errors::kTypeMismatch, u"Type mismatch");
    EXPECT_EQ(pages_.Find(index), nullptr);
  }
  // Folding makes every character longer here, and keeps an unpaired surrogate.
  pages_.Add("long", std::u16string(300, u'\u00DF') + char16_t{0xD800});
  EXPECT_EQ(pages_.Item(std::u16string(600, u'S') + char16_t{0xD800}), "long");
  pages_.Remove(u"MAIN");
  pages_.Remove(1);  // the unkeyed item, now first
  pages_.Insert(1, "first", u"First");
  pages_.Insert(pages_.Count() + 1, "main again", u"main");  // a removed key is free again
  EXPECT_EQ(All(), (Items{"first", "umlaut", "long", "main again"}));
  EXPECT_EQ(pages_.Item(Variant(int16_t{3})), "long");
  EXPECT_EQ(pages_.Item(Variant(2.5)), "umlaut");  // rounds half to even
}

}  // namespace
}  // namespace carrowin
