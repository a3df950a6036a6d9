#pragma once

#include <optional>
#include <string_view>

#include "automation/format/date_time.h"

namespace carrowin::format {

/// Reads the date and time texts a field may hold: "yyyy-mm-dd[ hh:nn[:ss]]"
/// (or with "T" before the time), "m/d/yyyy[ h:nn[:ss] [AM|PM]]" (or with a
/// two-digit year), "Month d, yyyy[ time]" with full or three-letter English
/// month names, and a time alone "h:nn[:ss] [AM|PM]", on 1899-12-30. Letters
/// match in any case; blanks around the text are ignored. Nothing when the
/// text is none of these or names an impossible date or time.
std::optional<DateTime> ParseDateTime(std::u16string_view text);

}  // namespace carrowin::format
