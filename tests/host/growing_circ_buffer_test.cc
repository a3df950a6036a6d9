#include "carrowin/host/growing_circ_buffer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "carrowin/host/error.h"

namespace carrowin {
namespace {

using testing::ElementsAre;

std::vector<uint8_t> Take(GrowingCircBuffer& buffer, int32_t count) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  buffer.Get(count, bytes);
  return bytes;
}

TEST(GrowingCircBuffer, GrowsPastItsCapacityHintWithoutLosingBytes) {
  GrowingCircBuffer buffer;
  buffer.SetSize(4);
  std::vector<uint8_t> all(1000);
  std::iota(all.begin(), all.end(), 0);
  buffer.Put(1000, all);
  EXPECT_EQ(buffer.Length(), 1000);
  EXPECT_EQ(Take(buffer, 1000), all);
}

TEST(GrowingCircBuffer, GetRemovesWhatItReturnsAcrossTheWrap) {
  GrowingCircBuffer buffer;
  buffer.SetSize(64);
  std::vector<uint8_t> block(48);
  std::iota(block.begin(), block.end(), 1);
  buffer.Put(48, block);
  EXPECT_EQ(Take(buffer, 40).front(), 1);
  // The next 50 bytes wrap around the end of the 64-byte ring, then grow it.
  std::vector<uint8_t> more(50, 0xAB);
  buffer.Put(50, more);
  EXPECT_EQ(buffer.Length(), 58);
  std::vector<uint8_t> out = Take(buffer, 58);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
            std::vector<uint8_t>(block.begin() + 40, block.end()));
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + 8, out.end()), more);
  EXPECT_EQ(buffer.Length(), 0);
}

TEST(GrowingCircBuffer, PutStrWritesOneBytePerCharacter) {
  GrowingCircBuffer buffer;
  buffer.PutStr(u"12\u00FF");
  buffer.PutByte(0x00);
  EXPECT_THAT(Take(buffer, 4), ElementsAre(0x31, 0x32, 0xFF, 0x00));
}

TEST(GrowingCircBuffer, PutStrRefusesWideCharactersWhole) {
  GrowingCircBuffer buffer;
  try {
    buffer.PutStr(u"ab\u0100");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kInvalidProcedureCall);
    EXPECT_EQ(e.Description(), u"A character above U+00FF has no one-byte form");
  }
  EXPECT_EQ(buffer.Length(), 0);
}

TEST(GrowingCircBuffer, BadCountsAreErrorsNotOverreads) {
  GrowingCircBuffer buffer;
  std::vector<uint8_t> two{1, 2};
  EXPECT_NO_THROW(buffer.Put(0, {}));
  try {
    buffer.Put(3, two);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kSubscriptOutOfRange);
  }
  EXPECT_THROW(buffer.Put(-1, two), Error);
  buffer.Put(2, two);
  std::vector<uint8_t> small(1);
  EXPECT_THROW(buffer.Get(2, small), Error);
  std::vector<uint8_t> big(3);
  EXPECT_THROW(buffer.Get(3, big), Error);
  EXPECT_EQ(buffer.Length(), 2);
  buffer.Reset();
  EXPECT_EQ(buffer.Length(), 0);
}

}  // namespace
}  // namespace carrowin
