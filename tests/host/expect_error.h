#pragma once

#include <utility>

#include "carrowin/host/error.h"

namespace carrowin {

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

}  // namespace carrowin
