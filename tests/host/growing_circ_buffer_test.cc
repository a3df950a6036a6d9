#include "carrowin/host/growing_circ_buffer.h"

#include <gtest/gtest.h>

#include <deque>
#include <limits>
#include <numeric>
#include <random>
#include <utility>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using Bytes = std::vector<uint8_t>;

Bytes Take(GrowingCircBuffer& buffer, int32_t count) {
  Bytes bytes(static_cast<size_t>(count));
  buffer.Get(count, bytes);
  return bytes;
}

TEST(GrowingCircBuffer, KeepsEveryByteInOrderAcrossTheWrapAndGrowth) {
  GrowingCircBuffer buffer;
  buffer.SetSize(64);
  Bytes first(48);
  std::iota(first.begin(), first.end(), 1);
  buffer.Put(48, first);
  EXPECT_EQ(Take(buffer, 40), Bytes(first.begin(), first.begin() + 40));
  // 50 more bytes wrap around the end of the 64-byte ring, then outgrow it.
  const Bytes more(50, 0xAB);
  buffer.Put(50, more);
  buffer.PutStr(u"1\u00FF");
  buffer.PutByte(0x00);
  Bytes expected(first.begin() + 40, first.end());
  expected.insert(expected.end(), more.begin(), more.end());
  expected.insert(expected.end(), {0x31, 0xFF, 0x00});
  EXPECT_EQ(buffer.Length(), 61);
  EXPECT_EQ(Take(buffer, 61), expected);
  EXPECT_EQ(buffer.Length(), 0);
}

TEST(GrowingCircBuffer, AHugeCapacityHintReservesNoMoreThanTheCapAndGrowthStaysOnDemand) {
  constexpr int32_t kCap = GrowingCircBuffer::kMaxReservedSize;
  // hint, capacity reserved
  const std::pair<int32_t, int32_t> hints[] = {{0, 0},
                                               {100, 100},
                                               {kCap, kCap},
                                               {kCap + 1, kCap},
                                               {std::numeric_limits<int32_t>::max(), kCap}};
  for (const auto& [hint, reserved] : hints) {
    GrowingCircBuffer buffer;
    buffer.SetSize(hint);
    EXPECT_EQ(buffer.Capacity(), reserved) << hint;
  }
  GrowingCircBuffer buffer;
  buffer.SetSize(std::numeric_limits<int32_t>::max());
  Bytes beyondTheCap(kCap + 100);
  std::iota(beyondTheCap.begin(), beyondTheCap.end(), 0);
  buffer.Put(kCap + 100, beyondTheCap);
  EXPECT_EQ(Take(buffer, kCap + 100), beyondTheCap);
}

TEST(GrowingCircBuffer, RefusedCallsAppendAndRemoveNothing) {
  GrowingCircBuffer buffer;
  const Bytes two{1, 2};
  buffer.Put(0, {});
  ExpectError([&] { buffer.PutStr(u"ab\u0100"); }, errors::kInvalidProcedureCall,
              u"A character above U+00FF has no one-byte form");
  ExpectError([&] { buffer.Put(3, two); }, errors::kSubscriptOutOfRange,
              u"Byte count exceeds the array");
  ExpectError([&] { buffer.Put(-1, two); }, errors::kInvalidProcedureCall,
              u"Byte count is negative");
  buffer.Put(2, two);
  Bytes small(1), big(3);
  ExpectError([&] { buffer.Get(2, small); }, errors::kSubscriptOutOfRange, u"Array is too small");
  ExpectError([&] { buffer.Get(3, big); }, errors::kSubscriptOutOfRange,
              u"Buffer holds fewer bytes");
  EXPECT_EQ(buffer.Length(), 2);
  buffer.Reset();
  EXPECT_EQ(buffer.Length(), 0);
}

// Appends of every size a command has (the short ones are copied inline),
// strings, single bytes and reads, at random, against a plain queue: the
// ring must wrap and grow without losing or reordering a byte.
TEST(GrowingCircBufferAppend, BehavesAsAQueueThroughWrapsAndGrowth) {
  std::mt19937 random(20240611);
  const auto upTo = [&random](int high) { return std::uniform_int_distribution(0, high)(random); };
  GrowingCircBuffer buffer;
  std::deque<uint8_t> model;
  uint8_t next = 0;
  for (int step = 0; step < 20000; ++step) {
    switch (upTo(3)) {
      case 0: {
        Bytes bytes(static_cast<size_t>(upTo(40)));
        for (uint8_t& byte : bytes) byte = next++;
        buffer.Append(bytes);
        model.insert(model.end(), bytes.begin(), bytes.end());
        break;
      }
      case 1: {
        std::u16string text(static_cast<size_t>(upTo(40)), u'\0');
        for (char16_t& unit : text) unit = next++;
        buffer.PutStr(text);
        model.insert(model.end(), text.begin(), text.end());
        break;
      }
      case 2:
        buffer.PutByte(next);
        model.push_back(next++);
        break;
      default: {
        const int32_t count = upTo(static_cast<int>(model.size()));
        ASSERT_EQ(Take(buffer, count), Bytes(model.begin(), model.begin() + count)) << step;
        model.erase(model.begin(), model.begin() + count);
      }
    }
    ASSERT_EQ(buffer.Length(), std::ssize(model)) << step;
  }
  EXPECT_EQ(Take(buffer, buffer.Length()), Bytes(model.begin(), model.end()));
}

// A string with a character that has no byte appends nothing, whether it
// would have gone behind the newest byte or around the end of the ring.
TEST(GrowingCircBufferAppend, RefusedStringLeavesTheBytesAsTheyWere) {
  for (const int32_t read : {0, 60}) {
    GrowingCircBuffer buffer;
    buffer.Append(Bytes(62, 'a'));  // a ring of 64
    Take(buffer, read);
    testing_support::ExpectError([&] { buffer.PutStr(u"xy\u0100"); }, errors::kInvalidProcedureCall,
                                 u"A character above U+00FF has no one-byte form");
    buffer.PutStr(u"bc");
    const std::string expected = std::string(62 - read, 'a') + "bc";
    EXPECT_EQ(Take(buffer, buffer.Length()), Bytes(expected.begin(), expected.end())) << read;
  }
}

}  // namespace
}  // namespace carrowin
