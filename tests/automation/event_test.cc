#include "carrowin/automation/event.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/expect_error.h"

namespace carrowin {
namespace {

using testing_support::ExpectError;

TEST(EventTest, HandlersMayChangeTheConnectionsWhileTheEventIsRaised) {
  Event<> offline;
  std::string calls;
  Event<>::Token self = 0;
  Event<>::Token victim = 0;
  self = offline.Connect([&] { calls += offline.Disconnect(self) ? 'A' : '?'; });
  offline.Connect([&] {
    calls += 'B';
    offline.Disconnect(victim);
    offline.Connect([&] { calls += 'L'; });
  });
  victim = offline.Connect([&] { calls += 'V'; });
  offline.Connect([&] { calls += 'D'; });
  offline.Raise();
  offline.Raise();
  // A handler connected during a raise runs from the next raise on.
  EXPECT_EQ(calls, "ABDBDL");
  EXPECT_FALSE(offline.Disconnect(self));
}

TEST(EventTest, AHandlersExceptionEndsTheRaiseAfterEarlierHandlersChangedTheArguments) {
  Event<int32_t&> key;
  std::string calls;
  key.Connect([&](int32_t& k) {
    calls += 'A';
    k = 9;
  });
  key.Connect([&](int32_t&) { throw std::runtime_error("scanner jammed"); });
  key.Connect([&](int32_t&) { calls += 'C'; });
  int32_t pressed = 1;
  EXPECT_THROW(key.Raise(pressed), std::runtime_error);
  // The handlers before it have run and changed the raiser's variable; none after.
  EXPECT_EQ(calls, "A");
  EXPECT_EQ(pressed, 9);
  // The event is not left half raised: the next raise runs every handler again.
  EXPECT_THROW(key.Raise(pressed), std::runtime_error);
  EXPECT_EQ(calls, "AA");
  ExpectError([&] { key.Connect(nullptr); }, errors::kInvalidProcedureCall,
              u"The event handler is empty");
}

}  // namespace
}  // namespace carrowin
