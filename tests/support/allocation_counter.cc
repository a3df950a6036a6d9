#include "support/allocation_counter.h"

#include <cstdlib>
#include <new>

namespace carrowin::testing_support {

namespace {
// The innermost live counter of this thread; other threads are not counted.
thread_local int64_t* activeCount = nullptr;
}  // namespace

AllocationCounter::AllocationCounter() : previous_(activeCount) { activeCount = &count_; }

AllocationCounter::~AllocationCounter() { activeCount = previous_; }

}  // namespace carrowin::testing_support

// ThreadSanitizer brings an operator new of its own, which may not be
// replaced; under it nothing is counted.
#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define CARROWIN_SANITIZER_OWNS_NEW
#endif
#endif

#ifdef CARROWIN_SANITIZER_OWNS_NEW
bool carrowin::testing_support::AllocationCounter::Counting() { return false; }
#else
bool carrowin::testing_support::AllocationCounter::Counting() { return true; }

void* operator new(std::size_t size) {
  if (carrowin::testing_support::activeCount != nullptr) {
    ++*carrowin::testing_support::activeCount;
  }
  for (;;) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void operator delete(void* memory) noexcept { std::free(memory); }

void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#endif
