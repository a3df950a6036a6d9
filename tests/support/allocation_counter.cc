#include "support/allocation_counter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace carrowin::testing_support {

namespace {
// The innermost live counter of this thread; other threads are not counted.
thread_local AllocationCounter* activeCounter = nullptr;
}  // namespace

AllocationCounter::AllocationCounter() : previous_(activeCounter) { activeCounter = this; }

AllocationCounter::~AllocationCounter() { activeCounter = previous_; }

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

namespace {
// What the heap holds for a block: the size asked for, rounded up.
int64_t HeldBytes(void* memory) { return static_cast<int64_t>(malloc_usable_size(memory)); }
}  // namespace

void* operator new(std::size_t size) {
  for (;;) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
      if (auto* counter = carrowin::testing_support::activeCounter) {
        counter->Allocated(HeldBytes(memory));
      }
      return memory;
    }
    std::new_handler handler = std::get_new_handler();
    if (handler == nullptr) throw std::bad_alloc();
    handler();
  }
}

void operator delete(void* memory) noexcept {
  if (memory == nullptr) return;
  if (auto* counter = carrowin::testing_support::activeCounter) {
    counter->Freed(HeldBytes(memory));
  }
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
#endif
