#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "carrowin/host/basic_process_trace.h"
#include "carrowin/host/memory_trace_sink.h"

namespace carrowin {

/// A trace with a `MemoryTraceSink` of its own, whose lines and errors are
/// read back through the trace, by tests and by tools that show a terminal's
/// recent history.
class MemoryProcessTrace : public BasicProcessTrace {
 public:
  explicit MemoryProcessTrace(int32_t maxLevel = 3)
      : MemoryProcessTrace(std::make_shared<MemoryTraceSink>(), maxLevel) {}

  std::vector<TraceRecord> Records() const { return memory_->Records(); }
  std::vector<ErrorRecord> Errors() const { return memory_->Errors(); }
  /// True when a line with exactly this level, procedure and message exists.
  bool HasLine(int32_t level, std::u16string_view procedure, std::u16string_view message) const {
    return memory_->HasLine(level, procedure, message);
  }
  void Clear() { memory_->Clear(); }

 private:
  MemoryProcessTrace(const std::shared_ptr<MemoryTraceSink>& memory, int32_t maxLevel)
      : BasicProcessTrace(memory, maxLevel), memory_(memory) {}

  std::shared_ptr<MemoryTraceSink> memory_;
};

}  // namespace carrowin
