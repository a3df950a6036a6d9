#pragma once

#include <cmath>

namespace carrowin {

/// Rounds to the nearest whole number, halves to the even one (2.5 to 2,
/// 3.5 to 4, -2.5 to -2): the automation rule for numbers becoming whole,
/// computed without relying on the host's floating-point rounding mode.
inline double RoundHalfToEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction < 0.5) return floor;
  if (fraction > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace carrowin
