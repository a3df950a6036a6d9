#include <gtest/gtest.h>

#include "carrowin/drel/drel.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/allocation_counter.h"
#include "support/expect_error.h"
#include "support/vector_circ_buffer.h"

namespace carrowin {
namespace {

// A screen with every way a command reaches a buffer: fixed commands, a
// three-byte length code, screen text (as it stands or converted),
// unconverted text, printer text, command-list forms into the caller's
// buffer, and the delivery of the message.
void EncodeScreen(Drel& drel, CircBuffer& list) {
  drel.StartMessage(7, 'H');
  drel.SelectPage(1);
  drel.EraseAll();
  drel.FixedField(0, 0, 0, u"RECEIVING");
  int32_t style = 1, flags = 0;
  drel.InitField(1, 2, 11, style, flags, 300);
  drel.UpdateField(1, u"4500012345");
  drel.Milestone(u"M\u00E9");
  drel.ExtendedFieldVideoSend(1, 9);
  drel.PrinterPortPass(1, 0, u"caf\u00E9");
  drel.ClearFieldGetDrel(list, 3);
  drel.OpenFieldGetDrel(list, 3);
  drel.LocalProcedureSend(2, list);
  drel.SendData();
}

// Binds `drel` to terminal 7 with a sender that hands each message to `keep`.
void Bind(Drel& drel, CallbackMessageSender::Callback keep) {
  drel.Initialize(std::make_shared<MemoryProcessTrace>(),
                  std::make_shared<CallbackMessageSender>(std::move(keep)), 512, 7);
}

// Keeps each message a sender is handed in `messages`.
auto Recorder(std::vector<std::string>& messages) {
  return [&messages](auto message) { messages.emplace_back(message.begin(), message.end()); };
}

// A buffer, the library's own or an application's, counting how it is called
// and refusing whole a write that would take it past `capacity` bytes.
template <class Buffer>
class Counted : public Buffer {
 public:
  void PutByte(uint8_t byte) override {
    ++putBytes;
    Buffer::PutByte(byte);
  }
  void Put(int32_t count, const std::vector<uint8_t>& bytes) override {
    ++puts;
    if (int64_t{this->Length()} + count > capacity)
      RaiseError(errors::kOverflow, u"Buffer", u"Buffer full");
    Buffer::Put(count, bytes);
  }
  void PutStr(std::u16string_view text) override {
    ++putStrs;
    Buffer::PutStr(text);
  }
  int puts = 0, putBytes = 0, putStrs = 0;
  int64_t capacity = INT32_MAX;
};
using Foreign = Counted<testing_support::VectorCircBuffer>;

TEST(DrelOutputBuffer, EncodesWithoutAllocatingOnceItsStorageHasGrown) {
  if (!testing_support::AllocationCounter::Counting()) GTEST_SKIP() << "no allocation counting";
  {
    const testing_support::AllocationCounter counter;  // the counter itself counts
    const auto probe = std::make_unique<int64_t>(1);
    ASSERT_EQ(counter.Count(), 1);
  }
  for (int32_t codepage : {0, 1252}) {
    SCOPED_TRACE(codepage);
    Drel drel;
    int64_t sent = 0;  // counted, not kept: keeping would allocate
    Bind(drel, [&sent](auto message) { sent += std::ssize(message); });
    drel.SetCodepage(codepage);
    GrowingCircBuffer list;
    EncodeScreen(drel, list);
    const int64_t firstScreen = sent;
    const testing_support::AllocationCounter counter;
    EncodeScreen(drel, list);
    EXPECT_EQ(counter.Count(), 0);
    EXPECT_EQ(sent, 2 * firstScreen);
  }
}

// An application's buffer, and the library's own with overrides an
// application added, take each command with one Put, never a call per byte,
// and end up with the same bytes as the library's own.
TEST(DrelOutputBuffer, OtherBuffersTakeOneCallPerCommand) {
  std::vector<std::string> expected;
  {
    Drel drel;
    Bind(drel, Recorder(expected));
    GrowingCircBuffer list;
    EncodeScreen(drel, list);
  }
  const auto check = [&](auto buffer, auto list) {
    Drel drel(HostFactories{{}, {}, {}, [buffer] { return buffer; }});
    std::vector<std::string> messages;
    Bind(drel, Recorder(messages));
    EncodeScreen(drel, *list);
    EXPECT_EQ(messages, expected);
    // The header, nine commands, the header restarted after the send.
    EXPECT_EQ(buffer->puts, 11);
    EXPECT_EQ(list->puts, 2);
    EXPECT_EQ(buffer->putBytes + buffer->putStrs + list->putBytes + list->putStrs, 0);
  };
  check(std::make_shared<Foreign>(), std::make_shared<Foreign>());
  using Derived = Counted<GrowingCircBuffer>;
  check(std::make_shared<Derived>(), std::make_shared<Derived>());
}

// A command a buffer refuses is refused whole: no part of it is left behind
// to be sent with the next one.
TEST(DrelOutputBuffer, ACommandTheBufferRefusesLeavesNothingBehind) {
  auto buffer = std::make_shared<Foreign>();
  buffer->capacity = 12;
  Drel drel(HostFactories{{}, {}, {}, [buffer] { return buffer; }});
  std::vector<std::string> messages;
  Bind(drel, Recorder(messages));
  drel.StartMessage(7, 'H');
  EXPECT_THROW(drel.FixedField(1, 2, 3, u"Quantity"), Error);
  EXPECT_EQ(drel.OutBufLen(), 2);
  drel.Bell();
  drel.SendData();
  EXPECT_EQ(messages, std::vector<std::string>{"7H#"});
}

// A sender that calls back into the encoder while it sends (here from the
// flush of a command being written) is refused: its command cannot join a
// message that is neither the one sent nor the next. The message stays whole
// for the retry and the command being written is not written.
TEST(DrelOutputBuffer, ASenderMayNotCallBackIntoTheEncoderThatSends) {
  Drel drel;
  std::vector<std::string> messages;
  bool callBack = true;
  Bind(drel, [&](auto message) {
    if (callBack) drel.AdvisoryNoOpen(u"\u00C5\u00C5\u00C5");
    messages.emplace_back(message.begin(), message.end());
  });
  drel.SetCodepage(1252);
  drel.StartMessage(7, 'H');
  drel.OutBufPutStr(std::u16string(340, u'x'));
  testing_support::ExpectError(
      [&] { drel.UpdateField(1, u"\u00E9t\u00E9 caf\u00E9"); }, errors::kInvalidProcedureCall,
      u"A message sender may not call back into the encoder that is sending");
  callBack = false;
  drel.UpdateField(1, u"\u00E9t\u00E9 caf\u00E9");
  drel.SendData();
  const std::vector<std::string> expected = {"7H" + std::string(340, 'x'),
                                             "7Hu18\xE9t\xE9 caf\xE9"};
  EXPECT_EQ(messages, expected);
}

}  // namespace
}  // namespace carrowin
