#include "terminal/local_time_text.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace carrowin {

std::u16string LocalTimeText(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
  localtime_r(&seconds, &local);  // the reentrant form: terminals run on many threads
  std::array<char, 80> text{};    // room for any int, so the compiler sees no truncation
  const int length =
      std::snprintf(text.data(), text.size(), "%04d%02d%02d%02d%02d%02d", local.tm_year + 1900,
                    local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return std::u16string(text.begin(), text.begin() + length);
}

}  // namespace carrowin
