#pragma once

#include <gmock/gmock.h>

#include <cstdint>
#include <string>

#include "carrowin/host/error.h"

namespace carrowin {

// gmock's HasSubstr knows only narrow and wide strings.
MATCHER_P(ContainsText, text, "contains the expected text") {
  return arg.find(text) != std::u16string::npos;
}

/// Matches a callable that raises a carrowin::Error with this number and a
/// description containing `text`.
inline auto RaisesError(int32_t number, std::u16string text) {
  return testing::Throws<Error>(
      testing::AllOf(testing::Property(&Error::Number, number),
                     testing::Property(&Error::Description, ContainsText(std::move(text)))));
}

}  // namespace carrowin
