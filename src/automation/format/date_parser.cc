#include "automation/format/date_parser.h"

#include <cstdint>

#include "automation/format/calendar_names.h"
#include "automation/format/format_lexer.h"

namespace carrowin::format {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// A cursor over the text with the few readings the date forms need.
class TextReader {
 public:
  explicit TextReader(std::u16string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }

  bool SkipBlanks() {
    const size_t start = pos_;
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    return pos_ > start;
  }

  bool Accept(char16_t c) {
    if (AtEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  /// A run of `minDigits` to `maxDigits` digits not followed by another digit.
  std::optional<int32_t> Number(size_t minDigits, size_t maxDigits) {
    size_t count = 0;
    int32_t value = 0;
    while (!AtEnd() && IsDigit(text_[pos_])) {
      if (++count > maxDigits) return std::nullopt;
      value = value * 10 + (text_[pos_++] - u'0');
    }
    if (count < minDigits) return std::nullopt;
    return value;
  }

  std::u16string_view Word() {
    const size_t start = pos_;
    while (!AtEnd() && IsLetter(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
  }

 private:
  std::u16string_view text_;
  size_t pos_ = 0;
};

struct TimeOfDay {
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
};

// "h:nn[:ss] [AM|PM]" up to the end of the text.
std::optional<TimeOfDay> ReadTime(TextReader& reader) {
  TimeOfDay time;
  const auto hour = reader.Number(1, 2);
  if (!hour || !reader.Accept(u':')) return std::nullopt;
  const auto minute = reader.Number(2, 2);
  if (!minute) return std::nullopt;
  time.hour = *hour;
  time.minute = *minute;
  if (reader.Accept(u':')) {
    const auto second = reader.Number(2, 2);
    if (!second) return std::nullopt;
    time.second = *second;
  }
  reader.SkipBlanks();
  const std::u16string_view designator = reader.Word();
  if (!reader.AtEnd()) return std::nullopt;
  if (designator.empty()) return time;
  const bool am = EqualsIgnoringCase(designator, u"AM") || EqualsIgnoringCase(designator, u"A");
  const bool pm = EqualsIgnoringCase(designator, u"PM") || EqualsIgnoringCase(designator, u"P");
  if ((!am && !pm) || time.hour > 12) return std::nullopt;
  time.hour = time.hour % 12 + (pm ? 12 : 0);
  return time;
}

// The optional time after a date: nothing more, or a separator and a time.
std::optional<DateTime> WithOptionalTime(TextReader& reader, int32_t year, int32_t month,
                                         int32_t day, bool allowT) {
  if (reader.AtEnd()) return DateTime::FromCivil(year, month, day);
  if (!(allowT && reader.Accept(u'T')) && !reader.SkipBlanks()) return std::nullopt;
  const auto time = ReadTime(reader);
  if (!time) return std::nullopt;
  return DateTime::FromCivil(year, month, day, time->hour, time->minute, time->second);
}

std::optional<DateTime> ReadIsoDate(TextReader reader) {
  const auto year = reader.Number(4, 4);
  if (!year || !reader.Accept(u'-')) return std::nullopt;
  const auto month = reader.Number(1, 2);
  if (!month || !reader.Accept(u'-')) return std::nullopt;
  const auto day = reader.Number(1, 2);
  if (!day) return std::nullopt;
  return WithOptionalTime(reader, *year, *month, *day, true);
}

std::optional<DateTime> ReadUsDate(TextReader reader) {
  const auto month = reader.Number(1, 2);
  if (!month || !reader.Accept(u'/')) return std::nullopt;
  const auto day = reader.Number(1, 2);
  if (!day || !reader.Accept(u'/')) return std::nullopt;
  auto year = reader.Number(2, 4);
  if (!year) return std::nullopt;
  if (*year < 100) {
    *year += *year < 30 ? 2000 : 1900;  // the classic two-digit year window
  }
  return WithOptionalTime(reader, *year, *month, *day, false);
}

std::optional<DateTime> ReadNamedMonthDate(TextReader reader) {
  const std::u16string_view word = reader.Word();
  int32_t month = 0;
  for (size_t i = 0; i < kMonthNames.size() && month == 0; ++i) {
    if (EqualsIgnoringCase(word, kMonthNames[i]) ||
        EqualsIgnoringCase(word, Abbreviated(kMonthNames[i]))) {
      month = static_cast<int32_t>(i) + 1;
    }
  }
  if (month == 0) return std::nullopt;
  reader.Accept(u'.');
  if (!reader.SkipBlanks()) return std::nullopt;
  const auto day = reader.Number(1, 2);
  if (!day) return std::nullopt;
  const bool comma = reader.Accept(u',');
  if (!reader.SkipBlanks() && !comma) return std::nullopt;
  const auto year = reader.Number(4, 4);
  if (!year) return std::nullopt;
  return WithOptionalTime(reader, *year, month, *day, false);
}

std::optional<DateTime> ReadTimeOnly(TextReader reader) {
  const auto time = ReadTime(reader);
  if (!time) return std::nullopt;
  return DateTime::FromCivil(1899, 12, 30, time->hour, time->minute, time->second);
}

}  // namespace

std::optional<DateTime> ParseDateTime(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  const TextReader reader(text);
  for (const auto read : {ReadIsoDate, ReadUsDate, ReadNamedMonthDate, ReadTimeOnly}) {
    if (auto moment = read(reader)) return moment;
  }
  return std::nullopt;
}

}  // namespace carrowin::format
