#pragma once

#include <cstdint>

namespace carrowin {

/// The operating system's identifier of the calling thread, as the trace
/// shows it (the one `ps -L` and debuggers show).
int64_t CurrentOsThreadId();

}  // namespace carrowin
