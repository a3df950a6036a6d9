#pragma once

#include <chrono>
#include <string>

namespace carrowin {

/// `time` in local time as the status record writes it: "yyyymmddhhnnss",
/// fourteen digits with the hour on the 24-hour clock.
std::u16string LocalTimeText(std::chrono::system_clock::time_point time);

}  // namespace carrowin
