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
