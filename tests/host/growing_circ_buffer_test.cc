#include "carrowin/host/growing_circ_buffer.h"

#include <gtest/gtest.h>

#include <deque>
#include <limits>
#include <random>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;
using testing_support::RaisedBy;
using Bytes = std::vector<uint8_t>;

Bytes Take(GrowingCircBuffer& buffer, int32_t count) {
  Bytes bytes(static_cast<size_t>(count));
  buffer.Get(count, bytes);
  return bytes;
}

// Appends of every size a command has (the short ones are copied inline),
// strings, single bytes and reads, at random, against a plain queue: the
// ring must wrap and grow without losing or reordering a byte.
TEST(GrowingCircBuffer, GrowsOnDemandAndBehavesAsAQueueThroughWraps) {
  std::mt19937 random(20240611);
  const auto upTo = [&random](int high) { return std::uniform_int_distribution(0, high)(random); };
  GrowingCircBuffer buffer;
  std::deque<uint8_t> model;
  uint8_t next = 0;
  for (int step = 0; step < 20000; ++step) {
    if (const int action = upTo(3); action == 3) {
      const int32_t count = upTo(static_cast<int>(model.size()));
      ASSERT_EQ(Take(buffer, count), Bytes(model.begin(), model.begin() + count)) << step;
      model.erase(model.begin(), model.begin() + count);
    } else {
      Bytes bytes(static_cast<size_t>(action == 2 ? 1 : upTo(40)));
      for (uint8_t& byte : bytes) byte = next++;
      if (action == 0) buffer.Append(bytes);
      if (action == 1) buffer.PutStr(std::u16string(bytes.begin(), bytes.end()));
      if (action == 2) buffer.PutByte(bytes[0]);
      model.insert(model.end(), bytes.begin(), bytes.end());
    }
    ASSERT_EQ(buffer.Length(), std::ssize(model)) << step;
  }
  EXPECT_EQ(Take(buffer, buffer.Length()), Bytes(model.begin(), model.end()));
  // Nor is a huge capacity hint reserved beyond the cap.
  GrowingCircBuffer hinted;
  hinted.SetSize(std::numeric_limits<int32_t>::max());
  EXPECT_EQ(hinted.Capacity(), GrowingCircBuffer::kMaxReservedSize);
}

// A refused call appends and removes nothing, whether its bytes would have
// gone behind the newest byte or around the end of the ring.
TEST(GrowingCircBuffer, RefusedCallsAppendAndRemoveNothing) {
  for (const int32_t read : {0, 60}) {
    GrowingCircBuffer buffer;
    buffer.Append(Bytes(62, 'a'));  // a ring of 64
    Take(buffer, read);
    Bytes two{1, 2}, big(63);
    ExpectError([&] { buffer.PutStr(u"xy\u0100"); }, errors::kInvalidProcedureCall,
                u"A character above U+00FF has no one-byte form");
    EXPECT_EQ(RaisedBy([&] { buffer.Put(3, two); }).Number(), errors::kSubscriptOutOfRange);
    ExpectError([&] { buffer.Get(63 - read, big); }, errors::kSubscriptOutOfRange,
                u"Buffer holds fewer bytes");
    buffer.PutStr(u"bc");
    const std::string expected = std::string(62 - read, 'a') + "bc";
    EXPECT_EQ(Take(buffer, buffer.Length()), Bytes(expected.begin(), expected.end())) << read;
  }
}

}  // namespace
}  // namespace carrowin
