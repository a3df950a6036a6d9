#include "carrowin/wire/wire_encoding.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;

TEST(SmallNumber, IsTheValuePlus48InOneByte) {
  EXPECT_EQ(EncodeSmallNumber(0), 0x30);
  EXPECT_EQ(EncodeSmallNumber(207), 0xFF);
  EXPECT_EQ(EncodeSmallNumber(-48), 0x00);
  for (int32_t value : {-49, 208, std::numeric_limits<int32_t>::min()}) {
    ExpectError([=] { EncodeSmallNumber(value); }, errors::kOverflow, u"Overflow");
  }
  EXPECT_EQ(DecodeSmallNumber(0x00), -1);  // every byte below "0"
  EXPECT_EQ(DecodeSmallNumber(0x2F), -1);
  EXPECT_EQ(DecodeSmallNumber(0xFF), 207);
}

// The encoder writes a length code into a command it assembles: refused, it
// leaves the command's bytes as they were.
TEST(LengthCode, IsOneByteUpTo207AndThreeUpTo43263OrNotWrittenAtAll) {
  struct Case {
    int32_t length;
    std::vector<uint8_t> bytes;
  };
  for (const Case& c : {Case{0, {0x30}}, Case{207, {0xFF}}, Case{208, {0x21, 0x31, 0x30}},
                        Case{43263, {0x21, 0xFF, 0xFF}}}) {
    std::array<uint8_t, kMaxLengthCodeBytes> code{};
    const int32_t size = EncodeLengthCode(c.length, code);
    EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + size), c.bytes) << c.length;
  }
  using Code = std::array<uint8_t, kMaxLengthCodeBytes>;
  for (const int32_t length : {-1, 43264}) {
    Code code{1, 2, 3};
    ExpectError([&] { EncodeLengthCode(length, code); }, errors::kOverflow, u"Overflow");
    EXPECT_EQ(code, (Code{1, 2, 3})) << length;
  }
}

}  // namespace
}  // namespace carrowin
