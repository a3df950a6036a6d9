#include "carrowin/automation/event.h"

#include <gtest/gtest.h>

#include <string>

#include "support/expect_error.h"

namespace carrowin {
namespace {

TEST(EventTest, HandlersMayChangeTheConnectionsWhileTheEventIsRaised) {
  Event<> offline;
  std::string calls;
  Event<>::Token self = 0, victim = 0;
  self = offline.Connect([&] {
    calls += offline.Disconnect(self) ? 'A' : '?';
    offline.Connect([&] { calls += 'L'; });
  });
  offline.Connect([&] { calls += offline.Disconnect(victim) ? 'B' : 'b'; });
  victim = offline.Connect([&] { calls += 'V'; });
  offline.Connect([&] { calls += 'D'; });
  offline.Raise();
  offline.Raise();
  // A handler connected during a raise runs from the next raise on.
  EXPECT_EQ(calls, "ABDbDL");
}

TEST(EventTest, AHandlersExceptionEndsTheRaiseAfterEarlierHandlersChangedTheArguments) {
  Event<int32_t&> key;
  key.Connect([](int32_t& k) { k *= 3; });
  key.Connect([](int32_t&) { throw 42; });
  key.Connect([](int32_t& k) { k = 0; });
  int32_t pressed = 1;
  // The handlers before it change the raiser's variable, none after; and the
  // event is not left half raised: the next raise runs them again.
  EXPECT_THROW(key.Raise(pressed), int);
  EXPECT_THROW(key.Raise(pressed), int);
  EXPECT_EQ(pressed, 9);
  testing_support::ExpectError([&] { key.Connect(nullptr); }, errors::kInvalidProcedureCall,
                               u"The event handler is empty");
}

}  // namespace
}  // namespace carrowin
