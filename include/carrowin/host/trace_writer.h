#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "carrowin/host/error_reporter.h"

namespace carrowin {

/// Writes the trace lines of one library object. Levels: 1 page operations,
/// page events, attach and detach; 2 ordinary progress; 3 "Trace created"
/// and code-page lines. A failure is raised to the caller.
class TraceWriter {
 public:
  virtual ~TraceWriter() = default;

  virtual void Trace(int32_t level, std::u16string_view procedure, std::u16string_view message) = 0;
  /// The error reporter of the same object.
  virtual std::shared_ptr<ErrorReporter> GetErrorReporter() = 0;
};

}  // namespace carrowin
