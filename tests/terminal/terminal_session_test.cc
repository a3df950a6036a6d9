#include "terminal/terminal_cycle_fixture.h"

namespace carrowin::testing_support {
namespace {

using namespace std::string_literals;

// A whole session at the byte level: power on, parameters, a screen, an
// operator's key with field updates, a hey-you answer, serial input, offline
// and a stop.
class TerminalSession : public TerminalCycleFixture {
 protected:
  TerminalSession() {
    // Unknown parameters, as after power on.
    terminal->Parameters()->LoadData(std::vector<uint8_t>(8, '0'), 0);
    terminal->evtInitialized.Connect([&] {
      events += "initialized ";
      SignOn().Display(u"User");
    });
    terminal->evtOnline.Connect([&] { events += "online "; });
    terminal->evtOffline.Connect([&] { events += "offline "; });
  }

  Page& SignOn() {
    if (auto page = terminal->Pages()->Item(u"SignOn")) return *page;
    auto page = terminal->Pages()->Add(u"SignOn");
    page->Fields()->AddText(1, u"Title", 1, 1, u"Sign on");
    page->Fields()->AddEntry(2, u"User", 3, 1, 6);
    page->Fields()->AddEntry(3, u"Password", 4, 1, 6, StyleNoEcho);
    page->evtFunctionKey.Connect([&](int32_t& key, std::u16string& field) {
      events += "key " + std::to_string(key) + " in " + ToUtf8(field) + " ";
      terminal->Pages()->Item(u"SignOn")->StartHeyYou(3, u"Shift?");
    });
    page->evtHeyYou.Connect([&](std::u16string& data) { events += "hey " + ToUtf8(data) + " "; });
    page->evtSerialInput.Connect([&](int32_t& port, std::u16string& data) {
      events += "serial " + std::to_string(port) + " " + ToUtf8(data) + " ";
    });
    return *page;
  }

  std::string events;
};

TEST_F(TerminalSession, FromPowerOnToStop) {
  EXPECT_EQ(Cycle("I"), "7H!") << "unknown parameters are asked for";

  // The reply: parameters, then the first screen drawn by the handler.
  EXPECT_EQ(Cycle("R!1F00\x68\xA8\x34\x30"),
            "7Hs0Ef1007Sign oni220\x03\x00"s
            "6i330\x0b\x00"s
            "6d0o2");
  EXPECT_EQ(events, "initialized online ");
  EXPECT_EQ(terminal->Parameters()->Version(), 22);
  EXPECT_EQ(Status(u"statusScreen").ToString(), u"SignOn");
  EXPECT_EQ(Status(u"statusResponseType").ToString(), u"Parameter Query");
  events.clear();

  // Two field updates and a key: the fields take the data, the handler's
  // hey-you is the whole reply.
  EXPECT_EQ(Cycle("R=23ANN=3!06secretF52"), "7Hh36Shift?");
  EXPECT_EQ(events, "key 5 in User ");
  Field& user = *SignOn().Fields()->Item(u"User");
  EXPECT_EQ(user.RawData(), u"ANN");
  EXPECT_TRUE(user.Touched());
  EXPECT_TRUE(thread->ApplicationMode());
  EXPECT_FALSE(terminal->Locked()) << "the key locked it, the hey-you unlocked it";
  EXPECT_EQ(Status(u"statusFunctionCode").ToString(), u"Response");
  EXPECT_EQ(Status(u"statusExecuting").ToLong(), 0);
  events.clear();

  EXPECT_EQ(Cycle("R?3yes"), "");
  EXPECT_EQ(Cycle("R<14ABCD"), "");
  EXPECT_EQ(events, "hey yes serial 1 ABCD ");
  events.clear();

  EXPECT_EQ(Cycle("F"), "");
  EXPECT_EQ(events, "offline ");
  EXPECT_EQ(Status(u"statusOnline").ToLong(), 0) << "offline wins within the cycle";

  thread->RequestStop();
  terminal->ExecuteBackground();
  EXPECT_TRUE(thread->Stopped());
  EXPECT_EQ(terminal->Connection(), nullptr);
  EXPECT_EQ(thread->BegunMessages(), thread->EndedMessages());
  EXPECT_TRUE(trace->Errors().empty()) << ToUtf8(trace->Errors().front().description);
}

}  // namespace
}  // namespace carrowin::testing_support
