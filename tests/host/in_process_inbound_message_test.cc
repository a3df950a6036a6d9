#include "carrowin/host/in_process_inbound_message.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "carrowin/host/error.h"
#include "raises_error.h"

namespace carrowin {
namespace {

using testing::ElementsAre;

TEST(InProcessInboundMessage, FromBytesTakesTheFunctionCodeAtItsPosition) {
  // Connection framing (terminal number "12") precedes the function code.
  auto message = InProcessInboundMessage::FromBytes({'1', '2', 'R', 'F', 0x00, 0xFF}, 2);
  EXPECT_THAT(message->Data().ToByteArray(), ElementsAre('1', '2', 'R', 'F', 0x00, 0xFF));
  EXPECT_EQ(message->Length(), 6);
  EXPECT_EQ(message->FunctionCode(), 'R');
  EXPECT_EQ(message->PositionFC(), 2);
}

TEST(InProcessInboundMessage, KeepsAShorterLengthThanItsArray) {
  InProcessInboundMessage message({'A', 'x', 'y', 0}, 2, 'A', 0);
  EXPECT_EQ(message.Length(), 2);
  EXPECT_EQ(message.Bytes().size(), 4u);
  EXPECT_EQ(message.FunctionCode(), 'A');
}

struct BadIndexCase {
  const char* name;
  std::vector<uint8_t> bytes;
  int32_t length;
  int32_t positionFC;
  std::u16string text;
};

class InProcessInboundMessageBadIndex : public testing::TestWithParam<BadIndexCase> {};

TEST_P(InProcessInboundMessageBadIndex, IsRefusedWhenMade) {
  const BadIndexCase& c = GetParam();
  EXPECT_THAT([&] { InProcessInboundMessage message(c.bytes, c.length, 'R', c.positionFC); },
              RaisesError(errors::kSubscriptOutOfRange, c.text));
  if (c.length == static_cast<int32_t>(c.bytes.size())) {
    EXPECT_THAT([&] { InProcessInboundMessage::FromBytes(c.bytes, c.positionFC); },
                RaisesError(errors::kSubscriptOutOfRange, c.text));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InProcessInboundMessageBadIndex,
    testing::Values(
        BadIndexCase{"EmptyArray", {}, 0, 0, u"position 0 is outside a message of 0 bytes"},
        BadIndexCase{"NegativePosition", {'R'}, 1, -1, u"position -1"},
        BadIndexCase{"PositionAtTheEnd", {'1', 'R'}, 2, 2, u"position 2"},
        BadIndexCase{"LengthBeyondTheArray", {'R'}, 2, 0, u"length 2"},
        BadIndexCase{"NegativeLength", {'R'}, -1, 0, u"length -1"}),
    [](const testing::TestParamInfo<BadIndexCase>& info) { return info.param.name; });

}  // namespace
}  // namespace carrowin
