#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "carrowin/drel/drel.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/allocation_counter.h"
#include "support/expect_error.h"
#include "support/vector_circ_buffer.h"

namespace carrowin {
namespace {

constexpr int32_t kTerminal = 7;

// A screen with every way a command reaches a buffer: fixed commands, a
// three-byte length code, screen text (as it stands or converted),
// unconverted text, printer text, command-list forms into the caller's
// buffer, and the delivery of the message.
void EncodeScreen(Drel& drel, CircBuffer& list) {
  drel.StartMessage(kTerminal, 'H');
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

using CountingBuffer = testing_support::VectorCircBuffer;

// An application's buffer of fixed capacity: a write that would overflow it
// is refused whole.
class BoundedBuffer : public CountingBuffer {
 public:
  void PutByte(uint8_t byte) override {
    Check(1);
    CountingBuffer::PutByte(byte);
  }
  void Put(int32_t count, const std::vector<uint8_t>& bytes) override {
    Check(count);
    CountingBuffer::Put(count, bytes);
  }
  void PutStr(std::u16string_view text) override {
    Check(std::ssize(text));
    CountingBuffer::PutStr(text);
  }

 private:
  void Check(int64_t count) const {
    if (Length() + count > 12) RaiseError(errors::kOverflow, u"BoundedBuffer", u"Buffer full");
  }
};

// The library's own buffer with an override an application added: the
// override must still see every command.
class AuditedBuffer : public GrowingCircBuffer {
 public:
  void PutByte(uint8_t byte) override {
    ++putBytes;
    GrowingCircBuffer::PutByte(byte);
  }
  void Put(int32_t count, const std::vector<uint8_t>& bytes) override {
    ++puts;
    GrowingCircBuffer::Put(count, bytes);
  }
  void PutStr(std::u16string_view text) override {
    ++putStrs;
    GrowingCircBuffer::PutStr(text);
  }

  int puts = 0, putBytes = 0, putStrs = 0;
};

class DrelOutputBuffer : public ::testing::Test {
 protected:
  // Binds `drel` to a sender that records each message into `messages`.
  void Bind(Drel& drel, std::vector<std::string>& messages) {
    drel.Initialize(trace, std::make_shared<CallbackMessageSender>([&messages](auto message) {
                      messages.emplace_back(message.begin(), message.end());
                    }),
                    512, kTerminal);
  }

  std::shared_ptr<MemoryProcessTrace> trace = std::make_shared<MemoryProcessTrace>();
};

TEST_F(DrelOutputBuffer, EncodesWithoutAllocatingOnceItsStorageHasGrown) {
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
    drel.Initialize(trace, std::make_shared<CallbackMessageSender>([&sent](auto message) {
                      sent += std::ssize(message);
                    }),
                    512, kTerminal);
    drel.SetCodepage(codepage);
    GrowingCircBuffer list;
    EncodeScreen(drel, list);
    const int64_t firstScreen = sent;
    int64_t allocations = 0;
    {
      const testing_support::AllocationCounter counter;
      EncodeScreen(drel, list);
      allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(sent, 2 * firstScreen);
  }
}

// Any other buffer takes each command with one Put, never a call per byte,
// and ends up with the same bytes as the library's own.
TEST_F(DrelOutputBuffer, OtherBuffersTakeOneCallPerCommand) {
  std::vector<std::string> expected;
  {
    Drel drel;
    Bind(drel, expected);
    GrowingCircBuffer list;
    EncodeScreen(drel, list);
  }
  const auto check = [&](auto buffer, auto list) {
    Drel drel(HostFactories{{}, {}, {}, [buffer] { return buffer; }});
    std::vector<std::string> messages;
    Bind(drel, messages);
    EncodeScreen(drel, *list);
    EXPECT_EQ(messages, expected);
    // The header, nine commands, the header restarted after the send.
    EXPECT_EQ(buffer->puts, 11);
    EXPECT_EQ(list->puts, 2);
    EXPECT_EQ(buffer->putBytes + buffer->putStrs + list->putBytes + list->putStrs, 0);
  };
  check(std::make_shared<CountingBuffer>(), std::make_shared<CountingBuffer>());
  check(std::make_shared<AuditedBuffer>(), std::make_shared<AuditedBuffer>());
}

// A command the buffer refuses leaves no partial command behind to be sent
// with the next one.
TEST_F(DrelOutputBuffer, ACommandTheBufferRefusesLeavesNothingBehind) {
  Drel drel(HostFactories{{}, {}, {}, [] { return std::make_shared<BoundedBuffer>(); }});
  std::vector<std::string> messages;
  Bind(drel, messages);
  drel.StartMessage(kTerminal, 'H');
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
TEST_F(DrelOutputBuffer, ASenderMayNotCallBackIntoTheEncoderThatSends) {
  Drel drel;
  std::vector<std::string> messages;
  bool callBack = true;
  drel.Initialize(trace, std::make_shared<CallbackMessageSender>([&](auto message) {
                    if (callBack) drel.AdvisoryNoOpen(u"\u00C5\u00C5\u00C5");
                    messages.emplace_back(message.begin(), message.end());
                  }),
                  512, kTerminal);
  drel.SetCodepage(1252);
  drel.StartMessage(kTerminal, 'H');
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
