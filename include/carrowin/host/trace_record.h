#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace carrowin {

/// One trace line as the library's traces hand it to their output.
struct TraceRecord {
  std::chrono::system_clock::time_point time;
  int32_t level = 0;
  /// The object the whole trace belongs to, as given to `ProcessTrace::Open`
  /// (empty before it is opened).
  std::u16string traceObjectID;
  std::u16string component;
  std::u16string objectName;
  std::u16string procedure;
  std::u16string message;
};

/// One error as an `ErrorReporter` reported it.
struct ErrorRecord {
  /// The error's own number (the captured error's, or `reportedNumber` for an
  /// error the library described itself).
  int32_t number = 0;
  std::u16string source;
  std::u16string description;
  /// The operation in which it arose, as given to `Report`.
  std::u16string procedure;
  /// The number and flag given to `Report`.
  int32_t reportedNumber = 0;
  bool flag = false;
};

}  // namespace carrowin
