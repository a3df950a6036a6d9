#include "automation/format/user_defined_format.h"

#include <algorithm>
#include <utility>

#include "automation/format/named_format.h"
#include "automation/format/numeric_section.h"
#include "automation/format/string_section.h"
#include "automation/format/value_reader.h"

namespace carrowin::format {

UserDefinedFormat::UserDefinedFormat(std::u16string_view format) : texts_(SplitSections(format)) {
  if (texts_.size() > kMaxSections) texts_.resize(kMaxSections);
  for (const std::u16string_view text : texts_) sections_.push_back(LexSection(text));
  kind_ = Classify();
}

UserDefinedFormat::Kind UserDefinedFormat::Classify() {
  const auto any = [this](bool (*test)(const LexedSection&)) {
    return std::any_of(sections_.begin(), sections_.end(), test);
  };
  if (any(StringSection::HasPlaceholder)) return Kind::kString;
  if (any(NumericSection::HasPlaceholder)) return Kind::kNumeric;
  DateSection date(sections_[0]);
  if (date.HasTokens()) {
    date_.emplace(std::move(date));
    return Kind::kDate;
  }
  if (any(StringSection::HasDirective)) return Kind::kString;
  return Kind::kNumeric;
}

bool UserDefinedFormat::HasSection(size_t index) const {
  return index < texts_.size() && !texts_[index].empty();
}

std::u16string UserDefinedFormat::Format(std::u16string_view value, FirstDayOfWeek firstDay,
                                         FirstWeekOfYear firstWeek) const {
  switch (kind_) {
    case Kind::kString:
      return FormatString(value);
    case Kind::kDate:
      if (const auto moment = ReadMoment(value)) {
        return date_->Format(*moment, firstDay, firstWeek);
      }
      break;
    case Kind::kNumeric:
      if (value.empty() && HasSection(3)) {
        return LiteralText(sections_[3], NumericSection::kTokenChars);
      }
      if (const auto number = ReadNumber(value)) return FormatNumber(*number);
      break;
  }
  return std::u16string(value);
}

std::u16string UserDefinedFormat::FormatNumber(const DecimalNumber& number) const {
  // An empty section borrows the positive one, which adds the minus sign itself.
  if (number.IsZero() && HasSection(2)) return NumericSection(sections_[2]).Format(number, false);
  if (number.IsNegative() && HasSection(1)) {
    return NumericSection(sections_[1]).Format(number, false);
  }
  if (!HasSection(0)) return GeneralNumberText(number);
  return NumericSection(sections_[0]).Format(number, number.IsNegative());
}

std::u16string UserDefinedFormat::FormatString(std::u16string_view value) const {
  // The second section is for empty values.
  if (value.empty() && sections_.size() > 1) return StringSection(sections_[1]).Format(value);
  return StringSection(sections_[0]).Format(value);
}

}  // namespace carrowin::format
