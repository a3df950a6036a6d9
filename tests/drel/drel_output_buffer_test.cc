#include <gtest/gtest.h>

#include "carrowin/drel/drel.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/allocation_counter.h"
#include "support/expect_error.h"
#include "support/vector_circ_buffer.h"

namespace carrowin {
namespace {

// Converted and unconverted text in a screen message of the own terminal, a
// command list built in the caller's buffer, and the delivery of the message.
void EncodeScreen(Drel& drel, CircBuffer& list) {
  drel.UpdateField(1, u"caf\u00E9");
  drel.Milestone(u"M\u00E9");
  drel.ClearFieldGetDrel(list, 3);
  drel.LocalProcedureSend(2, list);
  drel.SendData();
}

// Binds `drel` to terminal 7 with a sender that hands each message to `keep`.
void Bind(Drel& drel, CallbackMessageSender::Callback keep) {
  drel.Initialize(std::make_shared<MemoryProcessTrace>(),
                  std::make_shared<CallbackMessageSender>(std::move(keep)), 512, 7);
}

// An application's buffer that counts its calls, takes bytes only through Put
// and refuses whole a write that would take it past `capacity` bytes.
struct Foreign : testing_support::VectorCircBuffer {
  void PutByte(uint8_t) override { ++perByte; }
  void PutStr(std::u16string_view) override { ++perByte; }
  void Put(int32_t count, const std::vector<uint8_t>& bytes) override {
    ++puts;
    if (int64_t{Length()} + count > capacity) RaiseError(errors::kOverflow, u"Buffer", u"Full");
    VectorCircBuffer::Put(count, bytes);
  }
  int64_t puts = 0, perByte = 0, capacity = INT32_MAX;
};

TEST(DrelOutputBuffer, EncodesWithoutAllocatingOnceItsStorageHasGrown) {
  if (!testing_support::AllocationCounter::Counting()) GTEST_SKIP() << "no allocation counting";
  Drel drel;
  int64_t sent = 0;  // counted, not kept: keeping would allocate
  Bind(drel, [&sent](auto message) { sent += std::ssize(message); });
  Foreign list;  // an application's command list
  EncodeScreen(drel, list);
  const int64_t firstScreen = sent;
  const testing_support::AllocationCounter counter;
  EncodeScreen(drel, list);
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(sent, 2 * firstScreen);
}

// An application's buffer takes each command with one Put, never a call per
// byte, and ends up with the same bytes as the library's own. A command it
// refuses is refused whole: no part of it is left to go with the next one.
TEST(DrelOutputBuffer, AnApplicationBufferTakesOnePutPerCommandAndNoPartOfARefusal) {
  std::vector<std::string> expected, messages;
  Foreign list;
  Drel own;
  Bind(own, [&expected](auto m) { expected.emplace_back(m.begin(), m.end()); });
  EncodeScreen(own, list);
  auto buffer = std::make_shared<Foreign>();
  Drel drel(HostFactories{.circBuffer = [buffer] { return buffer; }});
  Bind(drel, [&messages](auto m) { messages.emplace_back(m.begin(), m.end()); });
  EncodeScreen(drel, list);
  EXPECT_EQ(messages, expected);
  // The header, three commands, the header restarted after the send; one
  // command per screen into the list.
  EXPECT_EQ(buffer->puts, 5);
  EXPECT_EQ(list.puts, 2);
  EXPECT_EQ(buffer->perByte + list.perByte, 0);
  buffer->capacity = 12;
  EXPECT_THROW(drel.FixedField(1, 2, 3, u"Quantity"), Error);
  EXPECT_EQ(drel.OutBufLen(), 2);
}

// A sender that calls back into the encoder while it sends (here from the
// flush of a command being written) is refused: its command could join
// neither the message sent nor the next. The message stays whole for the
// retry and the command being written is not written.
TEST(DrelOutputBuffer, ASenderMayNotCallBackIntoTheEncoderThatSends) {
  Drel drel;
  std::vector<std::string> messages;
  Bind(drel, [&, calls = 0](auto message) mutable {
    if (calls++ == 0) drel.AdvisoryNoOpen(u"\u00C5\u00C5\u00C5");  // only the first send
    messages.emplace_back(message.begin(), message.end());
  });
  drel.StartMessage(7, 'H');
  drel.OutBufPutStr(std::u16string(340, u'x'));
  testing_support::ExpectError(
      [&] { drel.UpdateField(1, u"\u00E9t\u00E9 caf\u00E9"); }, errors::kInvalidProcedureCall,
      u"A message sender may not call back into the encoder that is sending");
  drel.UpdateField(1, u"\u00E9t\u00E9 caf\u00E9");
  drel.SendData();
  EXPECT_EQ(messages,
            (std::vector<std::string>{"7H" + std::string(340, 'x'), "7Hu18\xE9t\xE9 caf\xE9"}));
}

}  // namespace
}  // namespace carrowin
