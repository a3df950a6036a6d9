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

int32_t FirstDayValue(FirstDayOfWeek firstDay) {
  const auto value = static_cast<int32_t>(firstDay);
  return value >= 1 && value <= 7 ? value : 1;
}

FirstWeekOfYear CheckedFirstWeek(FirstWeekOfYear firstWeek) {
  const auto value = static_cast<int32_t>(firstWeek);
  return value >= 1 && value <= 3 ? firstWeek : FirstWeekOfYear::kJan1;
}

bool IsLeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int64_t DaysInMonth(int64_t year, int64_t month) {
  static constexpr int8_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

DateTime::DateTime(int64_t serialDay, int32_t secondOfDay)
    : serialDay_(serialDay), secondOfDay_(secondOfDay) {
  // Civil date from a day count (era-based, exact for the proleptic calendar).
  const int64_t z = serialDay - kUnixEpochSerial + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day_ = static_cast<int32_t>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month_ = static_cast<int32_t>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year_ = static_cast<int32_t>(yearOfEra + era * 400 + (month_ <= 2 ? 1 : 0));
}

int64_t DateTime::SerialOfCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = FloorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 + kUnixEpochSerial;
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
  return DecimalNumber::FromQuotient(serialDay_, static_cast<uint32_t>(secondOfDay_),
                                     kSecondsPerDay);
}

int32_t DateTime::WeekdayOfSerial(int64_t serialDay) {
  // Serial day 0, 1899-12-30, was a Saturday.
  return static_cast<int32_t>((serialDay % 7 + 13) % 7) + 1;
}

int32_t DateTime::WeekdayFrom(FirstDayOfWeek firstDay) const {
  return (Weekday() - FirstDayValue(firstDay) + 7) % 7 + 1;
}

int32_t DateTime::DayOfYear() const {
  return static_cast<int32_t>(serialDay_ - SerialOfCivil(year_, 1, 1) + 1);
}

int64_t DateTime::FirstWeekStart(int64_t year, int32_t firstDay, FirstWeekOfYear firstWeek) {
  const int64_t jan1 = SerialOfCivil(year, 1, 1);
  // Days of the week holding January 1 that fall in the previous year.
  const int64_t before = (WeekdayOfSerial(jan1) - firstDay + 7) % 7;
  switch (firstWeek) {
    case FirstWeekOfYear::kFirstFourDays:
      return before <= 3 ? jan1 - before : jan1 - before + 7;
    case FirstWeekOfYear::kFirstFullWeek:
      return before == 0 ? jan1 : jan1 - before + 7;
    case FirstWeekOfYear::kJan1:
      break;
  }
  return jan1 - before;
}

int32_t DateTime::WeekOfYear(FirstDayOfWeek firstDay, FirstWeekOfYear firstWeek) const {
  const int32_t dayValue = FirstDayValue(firstDay);
  firstWeek = CheckedFirstWeek(firstWeek);
  int64_t start = FirstWeekStart(year_, dayValue, firstWeek);
  if (serialDay_ < start) {
    start = FirstWeekStart(year_ - 1, dayValue, firstWeek);
  } else if (firstWeek == FirstWeekOfYear::kFirstFourDays &&
             serialDay_ >= FirstWeekStart(year_ + 1, dayValue, firstWeek)) {
    return 1;
  }
  return static_cast<int32_t>((serialDay_ - start) / 7 + 1);
}

}  // namespace carrowin::format
