#pragma once

#include <string>
#include <string_view>

namespace carrowin {

/// The day a week starts on, for the `w` and `ww` date tokens. The values are
/// the classic automation constants; any other value acts as `kSunday`.
enum class FirstDayOfWeek {
  kSunday = 1,
  kMonday = 2,
  kTuesday = 3,
  kWednesday = 4,
  kThursday = 5,
  kFriday = 6,
  kSaturday = 7,
};

/// Which week counts as week 1 of a year, for the `ww` date token. The values
/// are the classic automation constants; any other value acts as `kJan1`.
enum class FirstWeekOfYear {
  /// The week that holds January 1. The last days of December always count
  /// in their own year, so `ww` runs from 1 to 54.
  kJan1 = 1,
  /// The first week with at least four days in the new year. Days before it
  /// count in the last week of the previous year, and the last days of
  /// December count as week 1 when their week has four days in January.
  kFirstFourDays = 2,
  /// The first week that lies wholly in the new year. Days before it count in
  /// the last week of the previous year.
  kFirstFullWeek = 3,
};

/// Formats `value` with a format expression of the classic automation
/// language, with English (US) conventions: "." decimal point, "," thousands
/// separator, "$" currency, English month and day names. docs/format_expressions.md
/// lists the tokens.
///
/// How the value is read:
/// - An empty `format` returns `value` exactly.
/// - A number is optional blanks, an optional sign, digits (commas allowed
///   after the first digit), an optional decimal point with digits, an
///   optional exponent ("E" or "e", optional sign, digits) and optional
///   blanks. Numbers with more than 309 integer digits are out of range and
///   are treated as text. Numbers are kept as decimal digits: rounding is
///   exact, half away from zero.
/// - A date or time is "yyyy-mm-dd[ hh:nn[:ss]]" (a "T" may separate the
///   parts), "m/d/yyyy[ h:nn[:ss] [AM|PM]]" (two-digit years 00-29 mean
///   20xx, 30-99 mean 19xx), "Month d, yyyy[ time]" with full or
///   three-letter month names, or a time alone "h:nn[:ss] [AM|PM]" (which
///   lies on 1899-12-30). Years run from 100 to 9999.
/// - A number given to a date format is a date serial: day 0 is 1899-12-30,
///   the fraction is the time of day. A date given to a numeric format is
///   formatted as its serial.
///
/// How the format is read: a named format (case-insensitive) first. Otherwise
/// a format with an "@" or "&" placeholder is a string format; one with a
/// "0" or "#" placeholder is numeric; one with a date or time token in its
/// first section is a date format; one with only "<", ">" or "!" directives is a string format; any
/// other (literals only) is numeric. A value that does not suit a numeric or
/// date format comes back unchanged. Formatting never throws: characters the
/// format cannot use are shown as they stand.
///
/// Choices where the classic behaviour is not documented:
/// - Sections are chosen by the value before rounding: -0.001 with "0.00"
///   gives "-0.00", and only an exact zero takes the zero section.
/// - The fourth (null) section of a numeric format, and the second section
///   of a string format, apply to an empty value; a numeric null section
///   shows its literal text only.
/// - Each "%" multiplies by 100. A "," after the last integer placeholder
///   divides by 1,000 each; a "," between integer placeholders turns on
///   grouping; any other "," is ignored. A second "." is literal. A section
///   without digit placeholders shows only its literal text.
/// - In scientific formats the mantissa has as many integer digits as the
///   format has integer placeholders. The exponent shows at least one digit,
///   right after its sign when no "0" placeholder follows.
/// - "General Number" shows up to 15 significant digits, in scientific form
///   ("1E+20") when the decimal exponent is below -4 or above 14.
/// - "Currency" shows negatives in parentheses; short date is "m/d/yyyy",
///   long date "dddd, mmmm d, yyyy", medium date "dd-mmm-yy", long time
///   "h:nn:ss AMPM"; "yyyy" shows at least four digits.
/// - "m" and "mm" mean minutes when the last date or time token before them
///   is an hour.
/// - "<" and ">" change the case of the value's characters in string
///   formats and of the whole result in date formats (the last one wins);
///   in numeric formats they, and "!", do nothing.
/// - A string format without placeholders shows its literals, then the
///   value. A value longer than the placeholders fills them from the left and
///   the characters beyond follow the result; with "!" they follow the last
///   placeholder instead. A placeholder takes one character (a surrogate pair
///   is one character).
std::u16string FormatExpression(std::u16string_view value, std::u16string_view format,
                                FirstDayOfWeek firstDayOfWeek = FirstDayOfWeek::kSunday,
                                FirstWeekOfYear firstWeekOfYear = FirstWeekOfYear::kJan1);

}  // namespace carrowin
