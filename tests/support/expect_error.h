#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <utility>

#include "carrowin/automation/error.h"

namespace carrowin::testing_support {

/// The Error that `call` raises; one numbered 0, with the description
/// "no error", when it raises none, so that a check of the number fails.
template <class Call>
Error RaisedBy(Call&& call) {
  try {
    std::forward<Call>(call)();
  } catch (const Error& error) {
    return error;
  }
  return Error(0, u"", u"no error");
}

/// Expects `call` to raise error `number` with exactly `description`.
template <class Call>
void ExpectError(Call&& call, int32_t number, std::u16string_view description) {
  const Error error = RaisedBy(std::forward<Call>(call));
  EXPECT_EQ(error.Number(), number) << error.what();
  EXPECT_EQ(error.Description(), description) << error.what();
}

}  // namespace carrowin::testing_support
