#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "carrowin/automation/error.h"
#include "carrowin/drel/drel.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/memory_process_trace.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

// What an operation does to the encoder and the command bytes it appends.
struct Operation {
  std::function<void(Drel&)> run;
  std::string commandBytes;
  bool discards = false;  // OutBufReset: unsent commands are dropped
};

// Random sequences of what applications and the worker do with one encoder,
// through a sender that fails at random and is retried: every message must be
// framed and every command byte reach the terminal once, unless a reset
// discarded it.
TEST(DrelFramingSequence, EveryMessageIsFramedAndEveryCommandArrivesOnce) {
  size_t messagesSent = 0;
  for (uint32_t seed = 1; seed <= 300 && !testing::Test::HasFailure(); ++seed) {
    SCOPED_TRACE(seed);
    const int32_t terminal = seed % 3 == 0 ? -12 : static_cast<int32_t>(seed % 1000);
    const std::string header = std::to_string(terminal);
    std::mt19937 random(seed);
    const auto draw = [&random](int max) { return std::uniform_int_distribution(0, max)(random); };
    // The sender refuses a message now and then, as a radio network does.
    std::vector<std::string> messages;
    std::mt19937 link(seed ^ 0x5bd1e995u);
    Drel drel;
    drel.Initialize(std::make_shared<MemoryProcessTrace>(0),
                    std::make_shared<CallbackMessageSender>([&](auto message) {
                      if (std::bernoulli_distribution(0.25)(link)) {
                        RaiseError(errors::kPathFileAccessError, u"Sender", u"Link lost");
                      }
                      messages.emplace_back(message.begin(), message.end());
                    }),
                    512, terminal);
    std::string written;  // command bytes written and not discarded, in order
    // Runs the operation, retried while the sender refuses it: a refused
    // operation has written nothing. A reset drops the commands not yet sent.
    const auto apply = [&](const Operation& op) {
      while (testing_support::RaisedBy([&] { op.run(drel); }).Number() != 0) continue;
      if (op.discards) {
        size_t sent = 0;
        for (const std::string& message : messages) {
          sent += message.size() > header.size() ? message.size() - header.size() - 1 : 0;
        }
        written.resize(sent);
      }
      written += op.commandBytes;
    };
    for (int step = 0; step < 200; ++step) {
      const int32_t page = draw(207);
      const size_t length = draw(420);  // now and then more than a whole message
      const char fill = static_cast<char>('a' + written.size() % 26);
      const std::vector<Operation> mix = {
          {[terminal](Drel& d) { d.StartMessage(terminal, 'H'); }, ""},
          {[](Drel& d) { d.SendData(); }, ""},
          {[](Drel& d) { d.OutBufReset(); }, "", true},
          {[](Drel& d) { d.AttachTerminal(); }, ""},
          {[](Drel& d) { d.AbortTerminal(); }, ""},
          {[](Drel& d) { d.DetachTerminal(); }, ""},
          {[](Drel& d) { d.ParameterQuery(); }, "!"},
          {[page](Drel& d) { d.SelectPage(page); }, {'s', static_cast<char>(page + 48)}},
          {[](Drel& d) { d.Bell(); }, "#"},
          {[](Drel& d) { d.LockKeyboard(); }, "l"},
          {[length, fill](Drel& d) { d.SendRawData(std::u16string(length, fill)); },
           std::string(length, fill)},
      };
      apply(mix[static_cast<size_t>(draw(static_cast<int>(mix.size()) - 1))]);
    }
    apply({[](Drel& d) { d.SendData(); }, ""});
    // The commands read back in order, each message's header and function
    // code passed over, are those written and not discarded.
    std::string received;
    for (const std::string& message : messages) {
      ASSERT_GT(message.size(), header.size()) << message;
      ASSERT_EQ(message.substr(0, header.size()), header) << message;
      received += message.substr(header.size() + 1);
    }
    EXPECT_EQ(received, written);
    messagesSent += messages.size();
  }
  EXPECT_GT(messagesSent, 10000u);  // the sequences really send
}

}  // namespace
}  // namespace carrowin
