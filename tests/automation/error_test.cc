#include "carrowin/automation/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
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
  struct Case {
    const char* name;
    std::function<void()> raise;
    int32_t number;
    std::u16string description;
  };
  const std::vector<Case> cases = {
      {"bad_alloc", [] { throw std::bad_alloc(); }, 7, u"Out of memory"},
      {"vector too long", [] { std::vector<int>().reserve(std::vector<int>().max_size() + 1); }, 7,
       u"Out of memory"},
      {"at", [] { (void)std::vector<int>().at(3); }, 9, u""},
      {"invalid_argument", [] { throw std::invalid_argument("no such page"); }, 5, u"no such page"},
      {"overflow_error", [] { throw std::overflow_error("too many fields"); }, 6,
       u"too many fields"},
      {"bad_variant_access", [] { (void)std::get<int>(std::variant<int, double>(1.5)); }, 13, u""},
      {"bad_optional_access", [] { (void)std::optional<int>().value(); }, 91, u""},
      {"bad_function_call", [] { std::function<void()>()(); }, 91, u""},
      {"runtime_error", [] { throw std::runtime_error("socket closed \xC3\xA9"); }, 440,
       u"socket closed \u00E9"},
      {"empty what", [] { throw std::runtime_error(""); }, 440, u"Automation error"},
      {"int", [] { throw 42; }, 440, u"Unknown exception"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Error error = Caught(c.raise);
    EXPECT_EQ(error.Number(), c.number);
    EXPECT_EQ(error.Source(), u"RaiseFunctionKey");
    // The library's own texts of these vary by standard library: only check
    // that one is there.
    if (c.description.empty()) {
      EXPECT_FALSE(error.Description().empty());
    } else {
      EXPECT_EQ(error.Description(), c.description);
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
