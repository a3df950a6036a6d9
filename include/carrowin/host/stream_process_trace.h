#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "carrowin/host/basic_process_trace.h"

namespace carrowin {

/// A trace that writes one text line per record to stderr or to a file:
///   2026-12-06 08:05:41.123 [2] Terminal 17 CarrowinZVK.Drel Initialize: Trace created
/// Lines of different traces never
/// interleave inside a line.
class StreamProcessTrace : public BasicProcessTrace {
 public:
  /// Writes to stderr.
  explicit StreamProcessTrace(int32_t maxLevel = 1);
  /// Appends to `path`; raises error 75 (path/file access error) when the
  /// file cannot be opened.
  StreamProcessTrace(const std::filesystem::path& path, int32_t maxLevel);
  ~StreamProcessTrace() override;

 protected:
  void Write(const TraceRecord& record) override;

 private:
  std::FILE* file_;
  bool ownsFile_;
};

/// The layout of one trace line, without the line end (for tools and tests).
std::string FormatTraceLine(const TraceRecord& record);

}  // namespace carrowin
