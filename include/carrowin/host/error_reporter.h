#pragma once

#include <cstdint>
#include <string_view>

#include "carrowin/automation/error.h"

namespace carrowin {

/// Receives the errors of one library object. An operation with an error
/// handler hands the error over (`CaptureError`, or `SetDescription` for an
/// error the library detects itself), then calls `Report` and returns
/// normally; whether the error travels on to the caller is decided here: if
/// `Report` raises, the caller sees the error.
class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;

  /// The text of an error the library detected itself.
  virtual void SetDescription(std::u16string_view text) = 0;
  /// Takes over the error being handled.
  virtual void CaptureError(const Error& error) = 0;
  /// Reports the captured or described error. `flag` is True only from
  /// `Terminal::Initialize` on a terminal not yet terminated; `level` is 1;
  /// `number` is 100, or 6004/6001 for interpreter failures; `procedure` is
  /// the operation in which the error arose.
  virtual void Report(bool flag, int32_t level, int32_t number, std::u16string_view procedure) = 0;
};

/// The error handler of an operation, in one call: hands the exception being
/// handled, of whatever type (see `ErrorFromCurrentException`), to
/// `reporter`, then reports it at level 1 for `procedure`. Call it only inside
/// a catch block; the operation then returns normally, unless `Report`
/// raises, which reaches the operation's caller.
///
///     try {
///       page->RaiseFunctionKey(key, field);
///     } catch (...) {
///       ReportCurrentException(*errorReporter_, u"RaiseFunctionKey");
///     }
void ReportCurrentException(ErrorReporter& reporter, std::u16string_view procedure,
                            bool flag = false, int32_t number = 100);

}  // namespace carrowin
