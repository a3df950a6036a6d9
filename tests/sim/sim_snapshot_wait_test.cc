// What the virtual terminal shows as text, and waiting for it while a worker
// drives the terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "sim/sim_loop_fixture.h"
#include "support/expect_error.h"

namespace carrowin {
namespace {

using namespace std::chrono_literals;
using testing_support::RaisedBy;

/// A sign-on page on a virtual screen of 20 columns by 4 rows, shown when
/// the terminal is online; a function key there greets the user on page 2.
class SimScreen : public testing_support::SimLoopFixture {
 protected:
  SimScreen()
      : SimLoopFixture({.terminalNumber = 7, .virtualColumns = 20, .virtualRows = 4}),
        signOn(terminal->Pages()->Add(u"SignOn")),
        welcome(terminal->Pages()->Add(u"Welcome")) {
    signOn->SetPageNumber(1);
    signOn->Fields()->AddText(1, u"Title", 1, 1, u"Sign on");
    signOn->Fields()->AddEntry(2, u"User", 2, 1, 8);
    signOn->Fields()->AddEntry(3, u"Qty", 3, 1, 4, StyleNum);
    signOn->Fields()->AddEntry(4, u"Pin", 4, 10, 4, StyleNoEcho)->SetData(u"12");
    welcome->SetPageNumber(2);
    welcome->Fields()->Add(1, u"Hello", 1, 1, StyleFixed, 0, 16, u"", u"", u"");
    terminal->evtOnline.Connect([this] { signOn->Display(u"User"); });
    signOn->evtFunctionKey.Connect([this](int32_t&, std::u16string&) {
      welcome->Fields()
          ->Item(Variant(u"Hello"))
          ->SetData(u"Hi " + signOn->Fields()->Item(Variant(u"User"))->RawData());
      welcome->Display(u"");
    });
  }

  std::shared_ptr<Page> signOn;
  std::shared_ptr<Page> welcome;
};

TEST_F(SimScreen, SnapshotShowsTheScreenAndWhatTheTerminalHolds) {
  PowerOn();
  terminal->Drel()->SoftKey(1, u"Next");
  signOn->StartEntryAdv(u"User", u"Who?");
  terminal->Drel()->SendData();
  sim->Type(u"AN");
  EXPECT_EQ(sim->Snapshot(),
            "+--------------------+\n"
            "|Sign on             |\n"
            "|AN______            |\n"
            "|____                |\n"
            "|         **__       |\n"
            "+--------------------+\n"
            "page 1 on the screen, page 1 selected, input in field 2, keyboard unlocked\n"
            "advisory \"Who?\"\n"
            "soft keys 1=\"Next\"\n");
}

TEST_F(SimScreen, AWaitThatTimesOutFailsWithTheSnapshot) {
  PowerOn();
  const Error error = RaisedBy([&] { sim->WaitForText(u"Welcome", 20ms); });
  EXPECT_EQ(error.Number(), sim_errors::kWaitTimedOut);
  EXPECT_EQ(error.Description(), u"Timed out after 20 ms waiting for the text \"Welcome\"\n" +
                                     FromUtf8(sim->Snapshot()));
}

TEST_F(SimScreen, AWaitFailsAtOnceOnAProtocolError) {
  const std::vector<uint8_t> broken = {'7', 'H', 'Q'};
  sim->Sender()->Send(broken);  // recorded, not raised into the library
  const auto start = std::chrono::steady_clock::now();
  const Error error = RaisedBy([&] { sim->WaitForUnlocked(10s); });
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(error.Number(), sim_errors::kProtocolError);
  EXPECT_NE(ToUtf8(error.Description())
                .find("protocol error: Message 1, byte 2: unknown command byte 0x51 'Q'"),
            std::string::npos)
      << error.what();
}

TEST_F(SimScreen, AWorkerDrivesTheTerminalWhileTheTestWaits) {
  std::jthread worker([this] {
    while (!thread->Stopped()) {
      thread->WaitForMessage(50ms);
      terminal->ExecuteBackground();
    }
  });
  sim->PowerOn();
  sim->WaitForText(u"Sign on", 5s);
  sim->WaitForUnlocked(5s);
  sim->Type(u"ANNA");
  sim->PressKey(1);
  sim->WaitForText(u"Hi ANNA", 5s);
  EXPECT_EQ(sim->State().displayedPage, 2);
  thread->RequestStop();
  EXPECT_TRUE(thread->WaitUntilStopped(5s));
}

TEST(SimSender, DropsMessagesOnceTheSimulatorIsGone) {
  auto sim = SimTerminal::Create({.terminalNumber = 7});
  const std::shared_ptr<MessageSender> sender = sim->Sender();
  sim.reset();
  const std::vector<uint8_t> message = {'7', 'H', 's', '1'};
  EXPECT_NO_THROW(sender->Send(message));
}

}  // namespace
}  // namespace carrowin
