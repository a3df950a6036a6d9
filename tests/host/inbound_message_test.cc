#include <gtest/gtest.h>

#include "carrowin/host/in_process_inbound_message.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using Bytes = std::vector<uint8_t>;

// An application's own message class, written against the four reads only.
struct OwnMessage : InboundMessage {
  explicit OwnMessage(Variant bytes) : data(std::move(bytes)) {}
  Variant Data() override { return data; }
  int32_t Length() override { return 0; }
  uint8_t FunctionCode() override { return 'R'; }
  int32_t PositionFC() override { return 0; }
  Variant data;
};

TEST(InboundMessageBytes, StayInPlaceAsLongAsTheMessage) {
  OwnMessage own(Bytes{'R', 'F', '3', '5'});
  const std::span<const uint8_t> first = own.DataBytes();
  EXPECT_EQ(Bytes(first.begin(), first.end()), (Bytes{'R', 'F', '3', '5'}));
  EXPECT_EQ(own.DataBytes().data(), first.data());
  testing_support::ExpectError([] { OwnMessage(Variant(u"RF35")).DataBytes(); },
                               errors::kTypeMismatch, u"Type mismatch");
  // The in-process message hands out its own storage: no copy per read.
  const auto held = InProcessInboundMessage::FromBytes({'1', '2', 'R', 0x00, 0xFF}, 2);
  EXPECT_EQ(held->DataBytes().data(), held->DataBytes().data());
  // A reference to the bytes of a temporary Data must outlive the Variant.
  const auto& bytes = held->Data().ToByteArray();
  EXPECT_EQ(bytes, (Bytes{'1', '2', 'R', 0x00, 0xFF}));
}

}  // namespace
}  // namespace carrowin
