#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_record.h"
#include "carrowin/host/trace_sink.h"

namespace carrowin {

/// The library's own trace: the trace of one terminal. It hands out writers
/// and error reporters, filters lines by level, labels every line with the
/// object ID given to `Open`, and passes lines and reported errors to its
/// sink. Many traces may share one sink; a trace itself belongs to one
/// terminal, since `Open` gives it that terminal's identity.
///
/// Each writer keeps its trace alive, so an object that got its writer from
/// a short-lived trace can go on tracing. Writers of one (component, object
/// name) are interchangeable, so while one is alive the trace hands that one
/// out again, with its one error reporter: the many fields and pages of a
/// terminal share a writer instead of holding one each. The objects that
/// share a reporter belong to the trace's one terminal and report on its
/// thread, so the captured error of one is not reported by another.
/// Thread-safe.
class BasicProcessTrace : public ProcessTrace,
                          public std::enable_shared_from_this<BasicProcessTrace> {
 public:
  using ErrorHandler = std::function<void(const ErrorRecord&)>;

  /// Writes to `sink`; lines above `maxLevel` are dropped (errors are always
  /// kept). Raises error 91 when `sink` is null.
  BasicProcessTrace(std::shared_ptr<TraceSink> sink, int32_t maxLevel);

  void Open(std::u16string_view objectName, std::u16string_view objectID) override;
  std::shared_ptr<TraceWriter> GetTraceWriter(std::u16string_view componentName,
                                              std::u16string_view objectName) override;

  int32_t MaxLevel() const;
  void SetMaxLevel(int32_t maxLevel);
  /// Offered every reported error, before the reporter decides whether to
  /// raise it; runs on the reporting thread.
  void SetErrorHandler(ErrorHandler handler);

  /// Writes one line when its level is within the maximum.
  void WriteLine(int32_t level, std::u16string_view component, std::u16string_view objectName,
                 std::u16string_view procedure, std::u16string_view message);
  /// Records one reported error and offers it to the error handler.
  void WriteError(const ErrorRecord& error);

 private:
  const std::shared_ptr<TraceSink> sink_;
  mutable std::mutex mutex_;
  int32_t maxLevel_;
  std::u16string objectID_;
  ErrorHandler errorHandler_;
  // The writers handed out, by (component, object name). Weak: a writer holds
  // its trace, so holding the writers here would keep both alive for ever.
  std::map<std::pair<std::u16string, std::u16string>, std::weak_ptr<TraceWriter>> writers_;
};

}  // namespace carrowin
