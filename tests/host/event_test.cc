#include "carrowin/host/event.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "carrowin/host/error.h"
#include "host/expect_error.h"

namespace carrowin {
namespace {

TEST(EventTest, CallsHandlersInConnectionOrderWithTheArguments) {
  Event<int32_t, std::u16string> functionKey;
  std::vector<std::u16string> calls;
  functionKey.Connect([&](int32_t key, std::u16string field) {
    calls.push_back(u"first " + std::u16string(1, static_cast<char16_t>(u'0' + key)) + field);
  });
  functionKey.Connect([&](int32_t, std::u16string field) { calls.push_back(u"second " + field); });
  EXPECT_EQ(functionKey.HandlerCount(), 2);
  functionKey.Raise(3, u"Qty");
  EXPECT_EQ(calls, (std::vector<std::u16string>{u"first 3Qty", u"second Qty"}));
}

TEST(EventTest, ReferenceArgumentsCarryChangesBackToTheRaiser) {
  Event<int32_t&, std::u16string&> transmit;
  std::u16string seenBySecond;
  transmit.Connect([](int32_t& cancel, std::u16string& data) {
    cancel = 1;
    data += u"-checked";
  });
  transmit.Connect([&](int32_t& cancel, std::u16string& data) {
    seenBySecond = data;
    cancel += 1;
  });
  int32_t cancel = 0;
  std::u16string data = u"1234";
  transmit.Raise(cancel, data);
  EXPECT_EQ(cancel, 2);
  EXPECT_EQ(data, u"1234-checked");
  EXPECT_EQ(seenBySecond, u"1234-checked");
}

TEST(EventTest, DisconnectedHandlersAreNotCalled) {
  Event<> online;
  int32_t first = 0;
  int32_t second = 0;
  const auto firstToken = online.Connect([&] { ++first; });
  const auto secondToken = online.Connect([&] { ++second; });
  EXPECT_NE(firstToken, secondToken);
  EXPECT_TRUE(online.Disconnect(firstToken));
  EXPECT_FALSE(online.Disconnect(firstToken));
  EXPECT_FALSE(online.Disconnect(0));
  online.Raise();
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  EXPECT_EQ(online.HandlerCount(), 1);
}

TEST(EventTest, HandlersMayChangeTheConnectionsWhileTheEventIsRaised) {
  Event<> offline;
  std::vector<std::string> calls;
  Event<>::Token selfToken = 0;
  Event<>::Token victimToken = 0;
  selfToken = offline.Connect([&] {
    calls.push_back("once");
    offline.Disconnect(selfToken);
  });
  offline.Connect([&] {
    calls.push_back("disconnects the next");
    offline.Disconnect(victimToken);
    offline.Connect([&] { calls.push_back("late"); });
  });
  victimToken = offline.Connect([&] { calls.push_back("victim"); });
  offline.Connect([&] { calls.push_back("last"); });

  offline.Raise();
  EXPECT_EQ(calls, (std::vector<std::string>{"once", "disconnects the next", "last"}));
  calls.clear();
  offline.Raise();
  EXPECT_EQ(calls, (std::vector<std::string>{"disconnects the next", "last", "late"}));
}

TEST(EventTest, RaiseSurvivesTheEventsOwnerGoingAway) {
  auto owner = std::make_unique<Event<>>();
  int32_t after = 0;
  owner->Connect([&] { owner.reset(); });
  owner->Connect([&] { ++after; });
  owner->Raise();
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(after, 1);
}

TEST(EventTest, AHandlersExceptionEndsTheRaise) {
  Event<> heyYou;
  int32_t later = 0;
  heyYou.Connect([] { RaiseError(errors::kInvalidProcedureCall, u"Handler"); });
  heyYou.Connect([&] { ++later; });
  EXPECT_EQ(RaisedBy([&] { heyYou.Raise(); }).Number(), errors::kInvalidProcedureCall);
  EXPECT_EQ(later, 0);
}

TEST(EventTest, AnEmptyHandlerIsRefused) {
  Event<int32_t> serialInput;
  const Error error = RaisedBy([&] { serialInput.Connect(nullptr); });
  EXPECT_EQ(error.Number(), errors::kInvalidProcedureCall);
  EXPECT_EQ(error.Description(), u"The event handler is empty");
  EXPECT_EQ(serialInput.HandlerCount(), 0);
}

}  // namespace
}  // namespace carrowin
