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
  // An empty description stands for the standard library's own text, which
  // varies by library: only its presence is checked.
  const std::vector<std::tuple<std::function<void()>, int32_t, std::u16string>> cases = {
      {[] { throw std::bad_alloc(); }, 7, u"Out of memory"},
      {[] { (void)std::vector<int>().at(3); }, 9, u""},
      {[] { throw std::invalid_argument("no such page \xC3\xA9"); }, 5, u"no such page \u00E9"},
      {[] { throw std::overflow_error("too many fields"); }, 6, u"too many fields"},
      {[] { (void)std::get<int>(std::variant<int, double>(1.5)); }, 13, u""},
      {[] { std::function<void()>()(); }, 91, u""},
      {[] { throw 42; }, 440, u"Unknown exception"},
  };
  for (const auto& [raise, number, description] : cases) {
    const Error error = Caught(raise);
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Source(), u"RaiseFunctionKey");
    if (description.empty()) {
      EXPECT_FALSE(error.Description().empty()) << number;
    } else {
      EXPECT_EQ(error.Description(), description);
    }
  }
}

TEST(ErrorFromCurrentException, KeepsTheLibrarysOwnErrorsAndNeedsAnException) {
  const Error own = Caught([] { RaiseError(errors::kDuplicateKey, u"Pages", u"Key Main"); });
  EXPECT_EQ(own.Number(), errors::kDuplicateKey);
  EXPECT_EQ(own.Source(), u"Pages");
  EXPECT_EQ(own.Description(), u"Key Main");
  const Error none = ErrorFromCurrentException(u"Terminal");
  EXPECT_EQ(none.Number(), errors::kAutomationError);
  EXPECT_EQ(none.Description(), u"No exception is being handled");
}

}  // namespace
}  // namespace carrowin
