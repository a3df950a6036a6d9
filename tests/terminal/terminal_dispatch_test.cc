#include <stdexcept>
#include <string>
#include <vector>

#include "terminal/terminal_cycle_fixture.h"

namespace carrowin::testing_support {
namespace {

class TerminalDispatch : public TerminalCycleFixture {
 protected:
  TerminalDispatch() {
    page->Fields()->AddEntry(2, u"User", 3, 1, 6);
    page->Fields()->AddEntry(4, u"Lot", 4, 1, 6);
    page->evtFunctionKey.Connect([&](int32_t& key, std::u16string& field) {
      events += "key " + std::to_string(key) + " in '" + ToUtf8(field) + "' ";
    });
    page->evtHeyYou.Connect([&](std::u16string& data) { events += "hey " + ToUtf8(data) + " "; });
  }

  void ShowPage() {
    page->Display(u"User");
    Commands();
  }

  std::shared_ptr<Page> page = terminal->Pages()->Add(u"Main");
  std::string events;
};

TEST_F(TerminalDispatch, RepliesToCodesWithoutAPage) {
  EXPECT_EQ(Cycle("RF52"), "7d|7a") << "a key from a screen never drawn reattaches the terminal";
  EXPECT_EQ(Cycle("I"), "7HR") << "parameters known: the screen is asked for";
  EXPECT_EQ(Cycle("Z"), "");
  EXPECT_EQ(Cycle("a"), "7A");
  EXPECT_EQ(events, "");
}

TEST_F(TerminalDispatch, RecordsAreReadInTurn) {
  ShowPage();
  Cycle("R=4!10" + std::string(208, 'x') + "F3/");
  EXPECT_EQ(page->Fields()->Item(int32_t{4})->RawData().size(), 208u);
  Cycle("R?Fthe answer is 22 bytesF52");
  EXPECT_EQ(events, "key 3 in '' hey the answer is 22 bytes ")
      << "the hey-you record ends the message";
}

TEST_F(TerminalDispatch, BytesPastTheMessageLengthAreNeverText) {
  ShowPage();
  // The receive buffer still holds "XYZ" from before; the message is "R=25AB".
  const std::string buffer = "R=25ABXYZ";
  thread->Post(std::make_shared<InProcessInboundMessage>(
      std::vector<uint8_t>(buffer.begin(), buffer.end()), 6, 'R', 0));
  terminal->ExecuteBackground();
  EXPECT_EQ(page->Fields()->Item(int32_t{2})->RawData(), u"AB");
}

TEST_F(TerminalDispatch, FailedFieldUpdateLeavesTheFieldAnsweringAgain) {
  ShowPage();
  const auto user = page->Fields()->Item(u"User");
  user->Terminate();  // its page is gone: assigning its data fails
  Cycle("R=23ABCF52");
  EXPECT_EQ(trace->Errors().back().procedure, u"ProcessFieldUpdates");
  EXPECT_FALSE(user->UpdatingFromTerminal());
  EXPECT_EQ(events, "key 5 in 'User' ") << "the dispatch still runs";
}

TEST_F(TerminalDispatch, ErrorAfterTheEventsDiscardsTheHalfBuiltReply) {
  ShowPage();
  page->evtFunctionKey.Connect([&](int32_t&, std::u16string&) { page->StartEntry(u"Lot"); });
  EXPECT_EQ(Cycle("RF52="), "");
  EXPECT_EQ(trace->Errors().back().procedure, u"ExecuteBackground");
  EXPECT_EQ(Cycle("O"), "") << "nothing of the failed reply leaks into the next";
  EXPECT_EQ(thread->BegunMessages() - thread->EndedMessages(), 1);
}

TEST_F(TerminalDispatch, TerminateMessageClosesTheCycleNormally) {
  ShowPage();
  EXPECT_EQ(Cycle("&"), "");
  EXPECT_TRUE(trace->Errors().empty());
  EXPECT_TRUE(thread->Stopped());
  EXPECT_EQ(thread->BegunMessages(), thread->EndedMessages());
}

TEST_F(TerminalDispatch, HandlerThrowingAnythingIsReportedAndTheMessageGoesOn) {
  page->SelectPage();  // a page number, but nothing displayed
  Cycle("RF52F61");
  EXPECT_EQ(trace->Errors().size(), 2u) << "an event without a screen";
  ShowPage();
  page->evtFunctionKey.Connect([](int32_t&, std::u16string&) { throw std::out_of_range("row"); });
  terminal->evtOnline.Connect([] { throw 42; });
  Cycle("RF52");
  Cycle("R!1F00\x68\xA8\x34\x30");
  ASSERT_EQ(trace->Errors().size(), 4u);
  EXPECT_EQ(trace->Errors()[2].number, 9) << "out_of_range from the key's handler";
  EXPECT_EQ(trace->Errors()[3].number, 440) << "an int from the online handler";
}

TEST_F(TerminalDispatch, StopRequestedWhileHandlingTakesTheTerminalOffline) {
  ShowPage();
  page->evtFunctionKey.Connect([&](int32_t&, std::u16string&) { thread->RequestStop(); });
  terminal->evtOffline.Connect([&] { events += "offline"; });
  Cycle("RF52");
  EXPECT_EQ(events, "key 5 in 'User' offline");
  EXPECT_TRUE(thread->Stopped());
}

// A worker that counts how often it is told the application mode.
class CountingThread : public InProcessThread {
 public:
  void SetApplicationMode(bool value) override {
    ++modeChanges;
    InProcessThread::SetApplicationMode(value);
  }
  int modeChanges = 0;
};

TEST_F(TerminalDispatch, TwoPageEventsTellTheWorkerTheApplicationModeOnce) {
  ShowPage();
  const auto counting = std::make_shared<CountingThread>();
  terminal->SetThread(counting);
  counting->PostBytes({'R', 'F', '5', '2', '%', '4'});
  terminal->ExecuteBackground();
  EXPECT_EQ(counting->modeChanges, 1);
  EXPECT_TRUE(counting->ApplicationMode());
}

}  // namespace
}  // namespace carrowin::testing_support
