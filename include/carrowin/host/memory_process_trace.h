#pragma once

#include <mutex>
#include <vector>

#include "carrowin/host/basic_process_trace.h"

namespace carrowin {

/// A trace that keeps its lines and errors in memory to be read back, by
/// tests and by tools that show a terminal's recent history.
class MemoryProcessTrace : public BasicProcessTrace {
 public:
  explicit MemoryProcessTrace(int32_t maxLevel = 3) : BasicProcessTrace(maxLevel) {}

  std::vector<TraceRecord> Records() const;
  std::vector<ErrorRecord> Errors() const;
  /// True when a line with exactly this level, procedure and message exists.
  bool HasLine(int32_t level, std::u16string_view procedure, std::u16string_view message) const;
  void Clear();

 protected:
  void Write(const TraceRecord& record) override;
  void WriteErrorRecord(const ErrorRecord& error) override;

 private:
  mutable std::mutex mutex_;
  std::vector<TraceRecord> records_;
  std::vector<ErrorRecord> errors_;
};

}  // namespace carrowin
