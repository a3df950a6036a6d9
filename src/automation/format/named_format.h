#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "automation/format/decimal_number.h"

namespace carrowin::format {

/// A named format ("Currency", "Short Date", "Yes/No", ...): either a
/// user-defined format it stands for, or one of the forms that no
/// user-defined format can express.
struct NamedFormat {
  enum class Kind {
    kUserDefined,    // shown as `userDefined`
    kGeneralNumber,  // the number as it is, without thousands separators
    kTwoWords,       // `zeroWord` for zero, `nonZeroWord` for any other number
  };
  Kind kind;
  std::u16string_view userDefined;
  std::u16string_view zeroWord;
  std::u16string_view nonZeroWord;
};

/// The named format called `name`, in any letter case, if there is one.
std::optional<NamedFormat> FindNamedFormat(std::u16string_view name);

/// A number as "General Number" shows it: up to 15 significant digits, no
/// thousands separators, scientific ("1.5E+20") below 1E-4 and from 1E+15.
std::u16string GeneralNumberText(const DecimalNumber& number);

}  // namespace carrowin::format
