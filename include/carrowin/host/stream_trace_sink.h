#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "carrowin/host/trace_sink.h"

namespace carrowin {

/// A sink that writes each trace record as one UTF-8 text line (see
/// `FormatTraceLine`) to standard error or to a file, for any number of
/// traces on any threads. Each line is written and flushed whole under the
/// sink's lock, so lines never interleave.
///
/// To log a whole site to one file, share one sink and give each terminal a
/// trace of its own on it (see `HostFactories`):
///
///     auto sink = std::make_shared<carrowin::StreamTraceSink>("/var/log/site.log");
///     factories.processTrace = [sink] {
///       return std::make_shared<carrowin::StreamProcessTrace>(sink, 2);
///     };
class StreamTraceSink : public TraceSink {
 public:
  /// Appends to `path`; raises error 75 (path/file access error) when the
  /// file cannot be opened.
  explicit StreamTraceSink(const std::filesystem::path& path);
  ~StreamTraceSink() override;
  StreamTraceSink(const StreamTraceSink&) = delete;
  StreamTraceSink& operator=(const StreamTraceSink&) = delete;

  /// The one sink on the process's standard error, shared by every trace
  /// that writes there.
  static std::shared_ptr<StreamTraceSink> StandardError();

  void Write(const TraceRecord& record) override;

 private:
  explicit StreamTraceSink(std::FILE* file);

  std::mutex mutex_;
  std::FILE* file_;
  bool ownsFile_;
};

/// One trace line as a `StreamTraceSink` writes it, without the line end:
///
///     2026-12-06 08:05:41.123 [2] T17 CarrowinZVK.Drel Initialize: Trace created
///
/// UTC time, level, the trace's object ID (`-` before `Open`), component and
/// object name, procedure, message. The record's text is escaped so that the
/// line stays one line and reads back unambiguously: a backslash becomes
/// `\\`; CR, LF and TAB become `\r`, `\n`, `\t`; any other C0 control, DEL,
/// a C1 control, U+2028, U+2029 and an unpaired surrogate become `\uXXXX`
/// (four upper-case hex digits of the UTF-16 code unit). The object ID,
/// component and object name are one word each: a space in them is written
/// `\u0020`, and an object ID of just `-` is written `\u002D`.
std::string FormatTraceLine(const TraceRecord& record);

}  // namespace carrowin
