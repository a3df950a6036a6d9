#include "automation/format/date_section.h"

#include <algorithm>
#include <string>

#include "automation/format/calendar_names.h"

namespace carrowin::format {
namespace {

// The US forms behind the compound tokens: short date, long date, long time.
const DateSection& ShortDate() {
  static const DateSection section(LexSection(u"m/d/yyyy"));
  return section;
}
const DateSection& LongDate() {
  static const DateSection section(LexSection(u"dddd, mmmm d, yyyy"));
  return section;
}
const DateSection& LongTime() {
  static const DateSection section(LexSection(u"h:nn:ss AMPM"));
  return section;
}

void AppendNumber(int64_t value, size_t minWidth, std::u16string& out) {
  const std::string digits = std::to_string(value);
  out.append(minWidth > digits.size() ? minWidth - digits.size() : 0, u'0');
  out.append(digits.begin(), digits.end());
}

// Whether the characters at `i` spell `word` (lower case), none quoted.
bool Spells(const LexedSection& section, size_t i, std::u16string_view word) {
  if (section.size() - i < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k) {
    const FormatChar& c = section[i + k];
    if (c.literal || FoldAscii(c.ch) != word[k]) return false;
  }
  return true;
}

// How many of the same unquoted letter start at `i`, at most `max`.
size_t Run(const LexedSection& section, size_t i, size_t max) {
  const char16_t letter = FoldAscii(section[i].ch);
  size_t count = 0;
  while (count < max && i + count < section.size() && !section[i + count].literal &&
         FoldAscii(section[i + count].ch) == letter) {
    ++count;
  }
  return count;
}

}  // namespace

DateSection::DateSection(const LexedSection& section) {
  for (size_t i = 0; i < section.size();) i += ReadToken(section, i);
  TreatMonthsAfterHoursAsMinutes();
}

bool DateSection::HasTokens() const {
  return std::any_of(tokens_.begin(), tokens_.end(),
                     [](const Token& token) { return token.kind != Kind::kLiteral; });
}

size_t DateSection::ReadToken(const LexedSection& section, size_t i) {
  const FormatChar& c = section[i];
  if (c.literal) {
    tokens_.push_back({Kind::kLiteral, c.ch});
    return 1;
  }
  if (Spells(section, i, u"ttttt")) {
    tokens_.push_back({Kind::kLongTime});
    return 5;
  }
  if (Spells(section, i, u"am/pm")) {
    tokens_.push_back({Kind::kAmPm,
                       0,
                       {section[i].ch, section[i + 1].ch},
                       {section[i + 3].ch, section[i + 4].ch},
                       2});
    twelveHour_ = true;
    return 5;
  }
  if (Spells(section, i, u"a/p")) {
    tokens_.push_back({Kind::kAmPm, 0, {section[i].ch}, {section[i + 2].ch}, 1});
    twelveHour_ = true;
    return 3;
  }
  if (Spells(section, i, u"ampm")) {
    tokens_.push_back({Kind::kAmPm, 0, {u'A', u'M'}, {u'P', u'M'}, 2});
    twelveHour_ = true;
    return 4;
  }
  // Runs of one letter: the longest token first, the rest read on.
  static constexpr Kind kDays[] = {Kind::kDay,     Kind::kDay2,      Kind::kDayAbbrev,
                                   Kind::kDayName, Kind::kShortDate, Kind::kLongDate};
  static constexpr Kind kMonths[] = {Kind::kMonth, Kind::kMonth2, Kind::kMonthAbbrev,
                                     Kind::kMonthName};
  size_t length = 1;
  Kind kind = Kind::kLiteral;
  switch (FoldAscii(c.ch)) {
    case u'a':
      // The localized weekday names; with US English conventions they read as
      // "ddd" and "dddd" do. A run of one or two is literal.
      length = Run(section, i, 4);
      if (length < 3) {
        length = 1;
      } else {
        kind = length == 4 ? Kind::kDayName : Kind::kDayAbbrev;
      }
      break;
    case u'c':
      kind = Kind::kDateAndTime;
      break;
    case u'd':
      length = Run(section, i, 6);
      kind = kDays[length - 1];
      break;
    case u'm':
      length = Run(section, i, 4);
      kind = kMonths[length - 1];
      break;
    case u'w':
      length = Run(section, i, 2);
      kind = length == 2 ? Kind::kWeekOfYear : Kind::kWeekday;
      break;
    case u'y':
      length = Run(section, i, 4);
      length = length == 3 ? 2 : length;
      kind = length == 4 ? Kind::kYear4 : length == 2 ? Kind::kYear2 : Kind::kDayOfYear;
      break;
    case u'h':
      length = Run(section, i, 2);
      kind = length == 2 ? Kind::kHour2 : Kind::kHour;
      break;
    case u'n':
      length = Run(section, i, 2);
      kind = length == 2 ? Kind::kMinute2 : Kind::kMinute;
      break;
    case u's':
      length = Run(section, i, 2);
      kind = length == 2 ? Kind::kSecond2 : Kind::kSecond;
      break;
    case u'q':
      kind = Kind::kQuarter;
      break;
    case u'<':
    case u'>':
      textCase_ = c.ch == u'<' ? TextCase::kLower : TextCase::kUpper;
      return 1;
    case u'!':
      return 1;
    default:
      break;
  }
  tokens_.push_back({kind, kind == Kind::kLiteral ? c.ch : u'\0'});
  return length;
}

void DateSection::TreatMonthsAfterHoursAsMinutes() {
  Kind previous = Kind::kLiteral;
  for (Token& token : tokens_) {
    if (token.kind == Kind::kLiteral) continue;
    if (previous == Kind::kHour || previous == Kind::kHour2) {
      if (token.kind == Kind::kMonth) token.kind = Kind::kMinute;
      if (token.kind == Kind::kMonth2) token.kind = Kind::kMinute2;
    }
    previous = token.kind;
  }
}

std::u16string DateSection::Format(const DateTime& moment, FirstDayOfWeek firstDay,
                                   FirstWeekOfYear firstWeek) const {
  std::u16string out;
  out.reserve(tokens_.size() + 16);
  for (const Token& token : tokens_) Append(token, moment, firstDay, firstWeek, out);
  return ConvertCase(out, textCase_);
}

void DateSection::Append(const Token& token, const DateTime& moment, FirstDayOfWeek firstDay,
                         FirstWeekOfYear firstWeek, std::u16string& out) const {
  const auto twelveHour = [&] {
    const int32_t hour = moment.Hour() % 12;
    return hour == 0 ? 12 : hour;
  };
  switch (token.kind) {
    case Kind::kLiteral:
      out.push_back(token.literal);
      break;
    case Kind::kDateAndTime:
      // Only the time when the serial has no whole days, only the date when it
      // has no fraction, both otherwise.
      if (moment.SerialDay() == 0) {
        out += LongTime().Format(moment, firstDay, firstWeek);
      } else {
        out += ShortDate().Format(moment, firstDay, firstWeek);
        if (moment.SecondOfDay() != 0) {
          out += u' ';
          out += LongTime().Format(moment, firstDay, firstWeek);
        }
      }
      break;
    case Kind::kDay:
      AppendNumber(moment.Day(), 1, out);
      break;
    case Kind::kDay2:
      AppendNumber(moment.Day(), 2, out);
      break;
    case Kind::kDayAbbrev:
      out += Abbreviated(kDayNames[moment.Weekday() - 1]);
      break;
    case Kind::kDayName:
      out += kDayNames[moment.Weekday() - 1];
      break;
    case Kind::kShortDate:
      out += ShortDate().Format(moment, firstDay, firstWeek);
      break;
    case Kind::kLongDate:
      out += LongDate().Format(moment, firstDay, firstWeek);
      break;
    case Kind::kWeekday:
      AppendNumber(moment.WeekdayFrom(firstDay), 1, out);
      break;
    case Kind::kWeekOfYear:
      AppendNumber(moment.WeekOfYear(firstDay, firstWeek), 1, out);
      break;
    case Kind::kMonth:
      AppendNumber(moment.Month(), 1, out);
      break;
    case Kind::kMonth2:
      AppendNumber(moment.Month(), 2, out);
      break;
    case Kind::kMonthAbbrev:
      out += Abbreviated(kMonthNames[moment.Month() - 1]);
      break;
    case Kind::kMonthName:
      out += kMonthNames[moment.Month() - 1];
      break;
    case Kind::kQuarter:
      AppendNumber((moment.Month() - 1) / 3 + 1, 1, out);
      break;
    case Kind::kDayOfYear:
      AppendNumber(moment.DayOfYear(), 1, out);
      break;
    case Kind::kYear2:
      AppendNumber(moment.Year() % 100, 2, out);
      break;
    case Kind::kYear4:
      AppendNumber(moment.Year(), 4, out);
      break;
    case Kind::kHour:
    case Kind::kHour2:
      AppendNumber(twelveHour_ ? twelveHour() : moment.Hour(), token.kind == Kind::kHour2 ? 2 : 1,
                   out);
      break;
    case Kind::kMinute:
    case Kind::kMinute2:
      AppendNumber(moment.Minute(), token.kind == Kind::kMinute2 ? 2 : 1, out);
      break;
    case Kind::kSecond:
    case Kind::kSecond2:
      AppendNumber(moment.Second(), token.kind == Kind::kSecond2 ? 2 : 1, out);
      break;
    case Kind::kLongTime:
      out += LongTime().Format(moment, firstDay, firstWeek);
      break;
    case Kind::kAmPm:
      out.append((moment.Hour() < 12 ? token.am : token.pm).data(), token.designatorLength);
      break;
  }
}

}  // namespace carrowin::format
