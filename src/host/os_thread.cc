#include "host/os_thread.h"

#include <unistd.h>

namespace carrowin {

int64_t CurrentOsThreadId() { return static_cast<int64_t>(::gettid()); }

}  // namespace carrowin
