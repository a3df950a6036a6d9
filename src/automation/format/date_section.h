#pragma once

#include <array>
#include <string>
#include <vector>

#include "automation/format/date_time.h"
#include "automation/format/format_lexer.h"
#include "automation/format/text_case.h"
#include "carrowin/automation/format_expression.h"

namespace carrowin::format {

/// A user-defined date and time format ("mm/dd/yyyy", "h:nn AM/PM",
/// "dddd, mmmm d") read into tokens, ready to show any moment.
class DateSection {
 public:
  explicit DateSection(const LexedSection& section);

  /// Whether the section holds at least one date or time token.
  bool HasTokens() const;

  std::u16string Format(const DateTime& moment, FirstDayOfWeek firstDay,
                        FirstWeekOfYear firstWeek) const;

 private:
  enum class Kind {
    kLiteral,
    kDateAndTime,  // c
    kDay,          // d
    kDay2,         // dd
    kDayAbbrev,    // ddd, aaa
    kDayName,      // dddd, aaaa
    kShortDate,    // ddddd
    kLongDate,     // dddddd
    kWeekday,      // w
    kWeekOfYear,   // ww
    kMonth,        // m
    kMonth2,       // mm
    kMonthAbbrev,  // mmm
    kMonthName,    // mmmm
    kQuarter,      // q
    kDayOfYear,    // y
    kYear2,        // yy
    kYear4,        // yyyy
    kHour,         // h
    kHour2,        // hh
    kMinute,       // n, or m after an hour
    kMinute2,      // nn, or mm after an hour
    kSecond,       // s
    kSecond2,      // ss
    kLongTime,     // ttttt
    kAmPm,         // AM/PM, am/pm, A/P, a/p, AMPM
  };
  struct Token {
    Kind kind;
    char16_t literal = 0;
    // The morning and afternoon designators of an AM/PM token, as written.
    std::array<char16_t, 2> am{};
    std::array<char16_t, 2> pm{};
    size_t designatorLength = 0;
  };

  // Reads the token at `i` and returns how many characters it took.
  size_t ReadToken(const LexedSection& section, size_t i);
  void TreatMonthsAfterHoursAsMinutes();
  void Append(const Token& token, const DateTime& moment, FirstDayOfWeek firstDay,
              FirstWeekOfYear firstWeek, std::u16string& out) const;

  std::vector<Token> tokens_;
  bool twelveHour_ = false;
  TextCase textCase_ = TextCase::kAsIs;
};

}  // namespace carrowin::format
