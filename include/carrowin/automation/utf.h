#pragma once

#include <string>
#include <string_view>

namespace carrowin {

/// The first and second halves of a character beyond U+FFFF in UTF-16.
constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
/// Either half.
constexpr bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

/// UTF-16 text as UTF-8. An unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

/// UTF-8 text as UTF-16. A malformed sequence becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);

}  // namespace carrowin
