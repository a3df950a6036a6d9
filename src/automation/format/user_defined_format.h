#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/format/date_section.h"
#include "automation/format/decimal_number.h"
#include "automation/format/format_lexer.h"
#include "carrowin/automation/format_expression.h"

namespace carrowin::format {

/// A format expression built of tokens (not a named format), split into its
/// sections and recognised as a numeric, date or string format.
class UserDefinedFormat {
 public:
  enum class Kind { kNumeric, kDate, kString };

  explicit UserDefinedFormat(std::u16string_view format);

  Kind FormatKind() const { return kind_; }

  /// `value` formatted, or `value` unchanged when it does not suit the format.
  std::u16string Format(std::u16string_view value, FirstDayOfWeek firstDay,
                        FirstWeekOfYear firstWeek) const;

 private:
  // The sections the classic language knows: positive, negative, zero, null.
  static constexpr size_t kMaxSections = 4;

  Kind Classify();
  bool HasSection(size_t index) const;
  std::u16string FormatNumber(const DecimalNumber& number) const;
  std::u16string FormatString(std::u16string_view value) const;

  std::vector<std::u16string_view> texts_;
  std::vector<LexedSection> sections_;
  std::optional<DateSection> date_;  // the first section, for a date format
  Kind kind_;
};

}  // namespace carrowin::format
