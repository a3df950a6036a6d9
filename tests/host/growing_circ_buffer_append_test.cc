#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "carrowin/host/growing_circ_buffer.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Take(GrowingCircBuffer& buffer, int32_t count) {
  Bytes bytes(static_cast<size_t>(count));
  buffer.Get(count, bytes);
  return bytes;
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
