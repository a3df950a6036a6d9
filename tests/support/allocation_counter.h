#pragma once

#include <cstdint>

namespace carrowin::testing_support {

/// Counts the calls of the global operator new (and so of new[] and of every
/// standard container's allocation) that the constructing thread makes while
/// the counter lives, and the heap bytes those calls hold. The binary that
/// links allocation_counter.cc gets operator new and delete replaced by
/// counting forms of malloc and free.
class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  int64_t Count() const { return count_; }
  /// Bytes this thread allocated while the counter lives, less those it
  /// freed meanwhile: what the objects built in that time hold. Counted as the
  /// heap's usable size of each block, so the allocator's rounding is in.
  int64_t LiveBytes() const { return liveBytes_; }
  /// False in a build whose sanitizer owns operator new (ThreadSanitizer):
  /// nothing is counted there, and the tsan test preset leaves the
  /// allocation test out.
  static bool Counting();

  /// Called by the replaced operators only.
  void Allocated(int64_t bytes) {
    ++count_;
    liveBytes_ += bytes;
  }
  void Freed(int64_t bytes) { liveBytes_ -= bytes; }

 private:
  int64_t count_ = 0;
  int64_t liveBytes_ = 0;
  AllocationCounter* previous_;
};

}  // namespace carrowin::testing_support
