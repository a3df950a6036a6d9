#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/drel/drel.h"
#include "carrowin/host/memory_process_trace.h"

namespace carrowin {
namespace {

// Random sequences of what applications and the worker really do with one
// encoder (start messages, write commands small and large, send, reset, send
// control messages) through a sender that fails at random and is retried.
// Whatever the mix, every message must be framed and every command byte must
// reach the terminal exactly once, unless a reset discarded it.

// A sender that refuses a message now and then, as a radio network does.
class UnreliableSender : public MessageSender {
 public:
  explicit UnreliableSender(uint32_t seed) : random_(seed) {}

  void Send(std::span<const uint8_t> message) override {
    if (std::bernoulli_distribution(0.25)(random_)) {
      RaiseError(errors::kPathFileAccessError, u"UnreliableSender", u"Link lost");
    }
    messages.emplace_back(message.begin(), message.end());
  }

  std::vector<std::string> messages;

 private:
  std::mt19937 random_;
};

// One operation of a sequence: what it does to the encoder and the command
// bytes it appends (none for operations that only frame or send).
struct Operation {
  std::function<void(Drel&)> run;
  std::string commandBytes;
  bool discards = false;  // OutBufReset: unsent commands are dropped
};

class SequenceRun {
 public:
  SequenceRun(uint32_t seed, int32_t terminal)
      : random_(seed),
        terminal_(terminal),
        header_(std::to_string(terminal)),
        sender_(std::make_shared<UnreliableSender>(seed ^ 0x5bd1e995u)) {
    drel_.Initialize(std::make_shared<MemoryProcessTrace>(0), sender_, 512, terminal);
  }

  void Run(int steps) {
    for (int i = 0; i < steps; ++i) Apply(Next());
    Apply({[](Drel& d) { d.SendData(); }, ""});
  }

  // Every message is the header, a known function code, and for a screen
  // message at least one command; the commands, read back in order, are
  // those written and not discarded.
  void Check() const {
    std::string received;
    for (const std::string& message : sender_->messages) {
      ASSERT_GT(message.size(), header_.size()) << message;
      ASSERT_EQ(message.substr(0, header_.size()), header_) << message;
      const char functionCode = message[header_.size()];
      const std::string body = message.substr(header_.size() + 1);
      if (functionCode == 'H') {
        EXPECT_FALSE(body.empty()) << "an empty screen message was sent";
      } else {
        EXPECT_NE(std::string("adA").find(functionCode), std::string::npos) << message;
        EXPECT_TRUE(body.empty()) << message;
      }
      received += body;
    }
    EXPECT_EQ(received, written_);
    EXPECT_EQ(pending_, 0u);
  }

  size_t MessagesSent() const { return sender_->messages.size(); }

 private:
  Operation Next() {
    switch (std::uniform_int_distribution<int>(0, 11)(random_)) {
      case 0:
        return {[t = terminal_](Drel& d) { d.StartMessage(t, 'H'); }, ""};
      case 1:
        return {[](Drel& d) { d.SendData(); }, ""};
      case 2:
        return {[](Drel& d) { d.OutBufReset(); }, "", true};
      case 3:
        return {[](Drel& d) { d.AttachTerminal(); }, ""};
      case 4:
        return {[](Drel& d) { d.AbortTerminal(); }, ""};
      case 5:
        return {[](Drel& d) { d.ParameterQuery(); }, "!"};
      case 6: {
        const int32_t page = std::uniform_int_distribution<int32_t>(0, 207)(random_);
        return {[page](Drel& d) { d.SelectPage(page); },
                std::string{'s', static_cast<char>(page + 48)}};
      }
      case 7:
        return {[](Drel& d) { d.Bell(); }, "#"};
      case 8: {
        // Large enough to flush, now and then larger than a whole message.
        const size_t length = std::uniform_int_distribution<size_t>(0, 420)(random_);
        const char fill = static_cast<char>('a' + written_.size() % 26);
        return {[length, fill](Drel& d) { d.SendRawData(std::u16string(length, fill)); },
                std::string(length, fill)};
      }
      case 9:
        return {[](Drel& d) { d.DetachTerminal(); }, ""};
      case 10:
        return {[](Drel& d) { d.OutBufReset(); }, "", true};
      default:
        return {[](Drel& d) { d.LockKeyboard(); }, "l"};
    }
  }

  // Runs the operation, retrying it while the sender refuses; a refused
  // operation has written nothing.
  void Apply(const Operation& op) {
    for (;;) {
      const size_t before = sender_->messages.size();
      try {
        op.run(drel_);
      } catch (const Error&) {
        Account(before);
        continue;
      }
      Account(before);
      break;
    }
    if (op.discards) {
      written_.resize(written_.size() - pending_);
      pending_ = 0;
    }
    written_ += op.commandBytes;
    pending_ += op.commandBytes.size();
  }

  // The commands of the messages sent meanwhile are no longer pending.
  void Account(size_t before) {
    for (size_t i = before; i < sender_->messages.size(); ++i) {
      // An unframed message is caught by Check; count all of it here.
      const size_t size = sender_->messages[i].size(), framing = header_.size() + 1;
      const size_t body = size >= framing ? size - framing : size;
      ASSERT_LE(body, pending_) << "more command bytes sent than written";
      pending_ -= body;
    }
  }

  std::mt19937 random_;
  int32_t terminal_;
  std::string header_;
  std::shared_ptr<UnreliableSender> sender_;
  Drel drel_;
  std::string written_;  // command bytes written and not discarded, in order
  size_t pending_ = 0;   // of which not yet sent
};

TEST(DrelFramingSequence, EveryMessageIsFramedAndEveryCommandArrivesOnce) {
  size_t messages = 0;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    const int32_t terminal = seed % 3 == 0 ? -12 : static_cast<int32_t>(seed % 1000);
    SequenceRun run(seed, terminal);
    run.Run(200);
    run.Check();
    messages += run.MessagesSent();
    if (testing::Test::HasFailure()) break;
  }
  EXPECT_GT(messages, 10000u);  // the sequences really send
}

}  // namespace
}  // namespace carrowin
