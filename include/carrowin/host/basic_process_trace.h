#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_record.h"

namespace carrowin {

/// The common part of the library's own traces: hands out writers and error
/// reporters, filters lines by level, and passes every line and every
/// reported error to the concrete trace.
///
/// Each writer keeps its trace alive, so an object that got its writer from
/// a short-lived trace can go on tracing. Thread-safe.
class BasicProcessTrace : public ProcessTrace,
                          public std::enable_shared_from_this<BasicProcessTrace> {
 public:
  using ErrorHandler = std::function<void(const ErrorRecord&)>;

  /// Lines above `maxLevel` are dropped (errors are always kept).
  explicit BasicProcessTrace(int32_t maxLevel);

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

 protected:
  virtual void Write(const TraceRecord& record) = 0;
  /// Keeps a reported error; its trace line has already gone to `Write`.
  virtual void WriteErrorRecord(const ErrorRecord& /*error*/) {}

 private:
  mutable std::mutex mutex_;
  int32_t maxLevel_;
  std::u16string objectID_;
  ErrorHandler errorHandler_;
};

}  // namespace carrowin
