#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "carrowin/host/basic_process_trace.h"
#include "carrowin/host/error_reporter.h"

namespace carrowin {

/// Records every reported error in its trace (as a level-`level` line and as
/// an `ErrorRecord`), offers it to the trace's error handler, and raises it
/// to the caller only when `Report`'s flag is True: that is how a failed
/// `Terminal::Initialize` reaches the application, while the errors of
/// background work are recorded without unwinding the worker. Shared by the
/// objects that share its writer; the pending error is guarded, so a report
/// from another thread cannot tear it.
class BasicErrorReporter : public ErrorReporter {
 public:
  BasicErrorReporter(std::shared_ptr<BasicProcessTrace> trace, std::u16string component,
                     std::u16string objectName);

  void SetDescription(std::u16string_view text) override;
  void CaptureError(const Error& error) override;
  void Report(bool flag, int32_t level, int32_t number, std::u16string_view procedure) override;

 private:
  struct Pending {
    std::optional<int32_t> number;  // absent for an error the library described
    std::u16string source;
    std::u16string description;
  };

  std::shared_ptr<BasicProcessTrace> trace_;
  std::u16string component_;
  std::u16string objectName_;
  std::u16string source_;
  std::mutex mutex_;
  Pending pending_;  // guarded by mutex_
};

}  // namespace carrowin
