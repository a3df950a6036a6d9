#include "carrowin/drel/wire_encoding.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "carrowin/host/error.h"
#include "carrowin/host/growing_circ_buffer.h"

namespace carrowin {
namespace {

std::vector<uint8_t> Drain(CircBuffer& buffer) {
  std::vector<uint8_t> bytes(static_cast<size_t>(buffer.Length()));
  buffer.Get(buffer.Length(), bytes);
  return bytes;
}

TEST(SmallNumber, EncodesValuePlus48) {
  EXPECT_EQ(EncodeSmallNumber(-1), 0x2F);
  EXPECT_EQ(EncodeSmallNumber(0), 0x30);
  EXPECT_EQ(EncodeSmallNumber(207), 0xFF);
  EXPECT_EQ(EncodeSmallNumber(-48), 0x00);
}

TEST(SmallNumber, OutsideOneByteIsOverflow) {
  for (int32_t value : {-49, 208, INT32_MIN, INT32_MAX}) {
    try {
      EncodeSmallNumber(value);
      ADD_FAILURE() << value << " encoded";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kOverflow);
      EXPECT_EQ(e.Description(), u"Overflow");
    }
  }
}

TEST(SmallNumber, DecodesEveryByte) {
  EXPECT_EQ(DecodeSmallNumber(0x2F), -1);
  EXPECT_EQ(DecodeSmallNumber(0x00), -1);
  EXPECT_EQ(DecodeSmallNumber(0x30), 0);
  EXPECT_EQ(DecodeSmallNumber(0xFF), 207);
  for (int b = 0x30; b <= 0xFF; ++b) {
    EXPECT_EQ(EncodeSmallNumber(DecodeSmallNumber(static_cast<uint8_t>(b))), b);
  }
}

struct LengthCase {
  int32_t length;
  std::vector<uint8_t> bytes;
};

class LengthCodeTest : public testing::TestWithParam<LengthCase> {};

TEST_P(LengthCodeTest, BothFormsWriteTheSameBytes) {
  GrowingCircBuffer a, b;
  PutLengthCode(a, GetParam().length);
  PutNumberCode(GetParam().length, b);
  EXPECT_EQ(Drain(a), GetParam().bytes);
  EXPECT_EQ(Drain(b), GetParam().bytes);
  EXPECT_EQ(LengthCodeSize(GetParam().length), static_cast<int32_t>(GetParam().bytes.size()));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, LengthCodeTest,
                         testing::Values(LengthCase{0, {0x30}}, LengthCase{207, {0xFF}},
                                         LengthCase{208, {0x21, 0x31, 0x30}},
                                         LengthCase{400, {0x21, 0x31, 0x30 + 192}},
                                         LengthCase{43263, {0x21, 0xFF, 0xFF}}));

TEST(LengthCode, UnwritableLengthsAreRefusedWithoutWriting) {
  for (int32_t length : {-1, 43264, INT32_MAX}) {
    GrowingCircBuffer buffer;
    EXPECT_THROW(PutLengthCode(buffer, length), Error) << length;
    EXPECT_EQ(buffer.Length(), 0) << length;
  }
}

}  // namespace
}  // namespace carrowin
