#include "carrowin/wire/wire_encoding.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;

TEST(SmallNumber, IsTheValuePlus48InOneByte) {
  EXPECT_EQ(EncodeSmallNumber(207), 0xFF);
  for (int32_t value : {-49, 208, std::numeric_limits<int32_t>::min()}) {
    ExpectError([=] { EncodeSmallNumber(value); }, errors::kOverflow, u"Overflow");
  }
  EXPECT_EQ(DecodeSmallNumber(0x2F), -1);  // every byte below "0"
  EXPECT_EQ(DecodeSmallNumber(0xFF), 207);
}

// The encoder writes a length code into a command it assembles: refused, it
// leaves the command's bytes as they were.
TEST(LengthCode, IsOneByteUpTo207AndThreeUpTo43263OrNotWrittenAtAll) {
  using Code = std::array<uint8_t, kMaxLengthCodeBytes>;
  const std::pair<int32_t, std::vector<uint8_t>> cases[] = {
      {0, {0x30}}, {207, {0xFF}}, {208, {0x21, 0x31, 0x30}}, {43263, {0x21, 0xFF, 0xFF}}};
  for (const auto& [length, bytes] : cases) {
    Code code{};
    const int32_t size = EncodeLengthCode(length, code);
    EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + size), bytes) << length;
  }
  for (const int32_t length : {-1, 43264}) {
    Code code{1, 2, 3};
    ExpectError([&] { EncodeLengthCode(length, code); }, errors::kOverflow, u"Overflow");
    EXPECT_EQ(code, (Code{1, 2, 3})) << length;
  }
}

}  // namespace
}  // namespace carrowin
