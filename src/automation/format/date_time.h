#pragma once

#include <cstdint>
#include <optional>

#include "automation/format/decimal_number.h"
#include "carrowin/automation/format_expression.h"

namespace carrowin::format {

/// A moment between 100-01-01 and 9999-12-31, to the second, kept as the
/// classic date serial: whole days from 1899-12-30 and the second of that day.
/// Dates are proleptic Gregorian.
class DateTime {
 public:
  static constexpr int kSecondsPerDay = 86400;

  /// The moment of a calendar date and time, or nothing when a field is out
  /// of range.
  static std::optional<DateTime> FromCivil(int64_t year, int64_t month, int64_t day,
                                           int64_t hour = 0, int64_t minute = 0,
                                           int64_t second = 0);
  /// The moment of a date serial: the whole part counts days, the fraction
  /// (whatever the sign) is the time of day, rounded to the second.
  static std::optional<DateTime> FromSerial(const DecimalNumber& serial);

  /// The date serial of this moment.
  DecimalNumber ToSerial() const;

  int64_t SerialDay() const { return serialDay_; }
  int32_t SecondOfDay() const { return secondOfDay_; }
  int32_t Year() const { return year_; }
  int32_t Month() const { return month_; }
  int32_t Day() const { return day_; }
  int32_t Hour() const { return secondOfDay_ / 3600; }
  int32_t Minute() const { return secondOfDay_ / 60 % 60; }
  int32_t Second() const { return secondOfDay_ % 60; }
  /// 1 for Sunday to 7 for Saturday.
  int32_t Weekday() const { return WeekdayOfSerial(serialDay_); }
  /// 1 for the first day of the week to 7.
  int32_t WeekdayFrom(FirstDayOfWeek firstDay) const;
  int32_t DayOfYear() const;
  /// The week of the year under the given rules (1 to 54).
  int32_t WeekOfYear(FirstDayOfWeek firstDay, FirstWeekOfYear firstWeek) const;

 private:
  DateTime(int64_t serialDay, int32_t secondOfDay);

  static int32_t WeekdayOfSerial(int64_t serialDay);
  static int64_t SerialOfCivil(int64_t year, int64_t month, int64_t day);
  static int64_t FirstWeekStart(int64_t year, int32_t firstDay, FirstWeekOfYear firstWeek);

  int64_t serialDay_;
  int32_t secondOfDay_;
  int32_t year_ = 0;
  int32_t month_ = 0;
  int32_t day_ = 0;
};

}  // namespace carrowin::format
