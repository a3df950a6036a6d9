#include "carrowin/automation/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace carrowin {
namespace {

// What an application's handler throws, as the handler that catches it
// reports it.
Error Caught(const std::function<void()>& raise) {
  try {
    raise();
  } catch (...) {
    return ErrorFromCurrentException(u"RaiseFunctionKey");
  }
  return Error(0, u"", u"nothing was thrown");
}

TEST(ErrorFromCurrentException, GivesEveryExceptionAFittingNumberAndText) {
  const std::vector<std::tuple<std::function<void()>, int32_t, std::u16string>> cases = {
      {[] { throw std::bad_alloc(); }, 7, u"Out of memory"},
      {[] { throw std::out_of_range("no field 3"); }, 9, u"no field 3"},
      {[] { throw std::invalid_argument("no such page \xC3\xA9"); }, 5, u"no such page \u00E9"},
      {[] { throw std::overflow_error("too many fields"); }, 6, u"too many fields"},
      {[] { throw 42; }, 440, u"Unknown exception"},
  };
  for (const auto& [raise, number, description] : cases) {
    const Error error = Caught(raise);
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Source(), u"RaiseFunctionKey");
    EXPECT_EQ(error.Description(), description);
  }
  // The library's own errors pass through with their source; outside a
  // catch block there is nothing to report.
  const Error own = Caught([] { RaiseError(errors::kDuplicateKey, u"Pages", u"Key Main"); });
  EXPECT_EQ(own.Number(), errors::kDuplicateKey);
  EXPECT_EQ(own.Source(), u"Pages");
  EXPECT_EQ(ErrorFromCurrentException(u"Terminal").Number(), errors::kAutomationError);
  // The standard library's own failures; their texts vary by implementation.
  EXPECT_EQ(Caught([] { (void)std::get<int>(std::variant<int, double>(1.5)); }).Number(), 13);
  EXPECT_EQ(Caught([] { std::function<void()>()(); }).Number(), 91);
}

}  // namespace
}  // namespace carrowin
