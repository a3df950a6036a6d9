#include "automation/format/date_time.h"

namespace carrowin::format {
namespace {

// Serials of 0100-01-01 and 9999-12-31, the range of the classic date type.
constexpr int64_t kFirstSerial = -657434;
constexpr int64_t kLastSerial = 2958465;
// 1970-01-01 counted from 1899-12-30, to move between serials and the
// civil-from-days arithmetic below, which counts from 1970.
constexpr int64_t kUnixEpochSerial = 25569;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

int32_t FirstDayValue(FirstDayOfWeek first_day) {
  const auto value = static_cast<int32_t>(first_day);
  return value >= 1 && value <= 7 ? value : 1;
}

FirstWeekOfYear CheckedFirstWeek(FirstWeekOfYear first_week) {
  const auto value = static_cast<int32_t>(first_week);
  return value >= 1 && value <= 3 ? first_week : FirstWeekOfYear::kJan1;
}

bool IsLeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int64_t DaysInMonth(int64_t year, int64_t month) {
  static constexpr int8_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

DateTime::DateTime(int64_t serial_day, int32_t second_of_day)
    : serial_day_(serial_day), second_of_day_(second_of_day) {
  // Civil date from a day count (era-based, exact for the proleptic calendar).
  const int64_t z = serial_day - kUnixEpochSerial + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t day_of_era = z - era * 146097;
  const int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int64_t shifted_month = (5 * day_of_year + 2) / 153;
  day_ = static_cast<int32_t>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  month_ = static_cast<int32_t>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  year_ = static_cast<int32_t>(year_of_era + era * 400 + (month_ <= 2 ? 1 : 0));
}

int64_t DateTime::SerialOfCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = FloorDiv(year, 400);
  const int64_t year_of_era = year - era * 400;
  const int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468 + kUnixEpochSerial;
}

std::optional<DateTime> DateTime::FromCivil(int64_t year, int64_t month, int64_t day, int64_t hour,
                                            int64_t minute, int64_t second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
      second < 0 || second > 59) {
    return std::nullopt;
  }
  return DateTime(SerialOfCivil(year, month, day),
                  static_cast<int32_t>(hour * 3600 + minute * 60 + second));
}

std::optional<DateTime> DateTime::FromSerial(const DecimalNumber& serial) {
  if (serial.PointPosition() > 7) return std::nullopt;  // far beyond year 9999
  int64_t day = serial.IntegerValue();
  DecimalNumber fraction = serial.FractionPart();
  fraction.MultiplyBy(kSecondsPerDay);
  fraction.RoundToFraction(0);
  int64_t second = fraction.IntegerValue();
  if (second >= kSecondsPerDay) {  // rounded up to the next midnight
    second = 0;
    ++day;
  }
  if (day < kFirstSerial || day > kLastSerial) return std::nullopt;
  return DateTime(day, static_cast<int32_t>(second));
}

DecimalNumber DateTime::ToSerial() const {
  return DecimalNumber::FromQuotient(serial_day_, static_cast<uint32_t>(second_of_day_),
                                     kSecondsPerDay);
}

int32_t DateTime::WeekdayOfSerial(int64_t serial_day) {
  // Serial day 0, 1899-12-30, was a Saturday.
  return static_cast<int32_t>((serial_day % 7 + 13) % 7) + 1;
}

int32_t DateTime::WeekdayFrom(FirstDayOfWeek first_day) const {
  return (Weekday() - FirstDayValue(first_day) + 7) % 7 + 1;
}

int32_t DateTime::DayOfYear() const {
  return static_cast<int32_t>(serial_day_ - SerialOfCivil(year_, 1, 1) + 1);
}

int64_t DateTime::FirstWeekStart(int64_t year, int32_t first_day, FirstWeekOfYear first_week) {
  const int64_t jan1 = SerialOfCivil(year, 1, 1);
  // Days of the week holding January 1 that fall in the previous year.
  const int64_t before = (WeekdayOfSerial(jan1) - first_day + 7) % 7;
  switch (first_week) {
    case FirstWeekOfYear::kFirstFourDays:
      return before <= 3 ? jan1 - before : jan1 - before + 7;
    case FirstWeekOfYear::kFirstFullWeek:
      return before == 0 ? jan1 : jan1 - before + 7;
    case FirstWeekOfYear::kJan1:
      break;
  }
  return jan1 - before;
}

int32_t DateTime::WeekOfYear(FirstDayOfWeek first_day, FirstWeekOfYear first_week) const {
  const int32_t day_value = FirstDayValue(first_day);
  first_week = CheckedFirstWeek(first_week);
  int64_t start = FirstWeekStart(year_, day_value, first_week);
  if (serial_day_ < start) {
    start = FirstWeekStart(year_ - 1, day_value, first_week);
  } else if (first_week == FirstWeekOfYear::kFirstFourDays &&
             serial_day_ >= FirstWeekStart(year_ + 1, day_value, first_week)) {
    return 1;
  }
  return static_cast<int32_t>((serial_day_ - start) / 7 + 1);
}

}  // namespace carrowin::format
