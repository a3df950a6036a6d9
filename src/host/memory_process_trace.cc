#include "carrowin/host/memory_process_trace.h"

namespace carrowin {

std::vector<TraceRecord> MemoryProcessTrace::Records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

std::vector<ErrorRecord> MemoryProcessTrace::Errors() const {
  std::lock_guard lock(mutex_);
  return errors_;
}

bool MemoryProcessTrace::HasLine(int32_t level, std::u16string_view procedure,
                                 std::u16string_view message) const {
  std::lock_guard lock(mutex_);
  for (const TraceRecord& r : records_) {
    if (r.level == level && r.procedure == procedure && r.message == message) return true;
  }
  return false;
}

void MemoryProcessTrace::Clear() {
  std::lock_guard lock(mutex_);
  records_.clear();
  errors_.clear();
}

void MemoryProcessTrace::Write(const TraceRecord& record) {
  std::lock_guard lock(mutex_);
  records_.push_back(record);
}

void MemoryProcessTrace::WriteErrorRecord(const ErrorRecord& error) {
  std::lock_guard lock(mutex_);
  errors_.push_back(error);
}

}  // namespace carrowin
