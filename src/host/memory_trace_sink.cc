#include "carrowin/host/memory_trace_sink.h"

#include <algorithm>

namespace carrowin {

void MemoryTraceSink::Write(const TraceRecord& record) {
  std::lock_guard lock(mutex_);
  records_.push_back(record);
}

void MemoryTraceSink::WriteError(const ErrorRecord& error) {
  std::lock_guard lock(mutex_);
  errors_.push_back(error);
}

std::vector<TraceRecord> MemoryTraceSink::Records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

std::vector<ErrorRecord> MemoryTraceSink::Errors() const {
  std::lock_guard lock(mutex_);
  return errors_;
}

bool MemoryTraceSink::HasLine(int32_t level, std::u16string_view procedure,
                              std::u16string_view message) const {
  std::lock_guard lock(mutex_);
  return std::any_of(records_.begin(), records_.end(), [&](const TraceRecord& r) {
    return r.level == level && r.procedure == procedure && r.message == message;
  });
}

void MemoryTraceSink::Clear() {
  std::lock_guard lock(mutex_);
  records_.clear();
  errors_.clear();
}

}  // namespace carrowin
