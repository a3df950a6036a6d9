#pragma once

#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

#include "carrowin/host/trace_sink.h"

namespace carrowin {

/// A sink that keeps trace records and reported errors in memory, exactly
/// as traced, to be read back by tests and by tools that show recent
/// history. Thread-safe.
class MemoryTraceSink : public TraceSink {
 public:
  MemoryTraceSink() = default;

  void Write(const TraceRecord& record) override;
  void WriteError(const ErrorRecord& error) override;

  std::vector<TraceRecord> Records() const;
  std::vector<ErrorRecord> Errors() const;
  /// True when a line with exactly this level, procedure and message exists.
  bool HasLine(int32_t level, std::u16string_view procedure, std::u16string_view message) const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<TraceRecord> records_;
  std::vector<ErrorRecord> errors_;
};

}  // namespace carrowin
