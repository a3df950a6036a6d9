#pragma once

#include <cstdint>

namespace carrowin::testing_support {

/// Counts the calls of the global operator new (and so of new[] and of every
/// standard container's allocation) that the constructing thread makes while
/// the counter lives. The binary that links allocation_counter.cc gets
/// operator new and delete replaced by counting forms of malloc and free.
class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  int64_t Count() const { return count_; }
  /// False in a build whose sanitizer owns operator new (ThreadSanitizer):
  /// nothing is counted there, and the tsan test preset leaves the
  /// allocation test out.
  static bool Counting();

 private:
  int64_t count_ = 0;
  int64_t* previous_;
};

}  // namespace carrowin::testing_support
