#pragma once

#include <cstdint>
#include <string_view>

namespace carrowin {

/// True for characters a terminal draws two columns wide: U+3000-9FFF,
/// AC00-D7FF, F004-FAFF, FE30-FF6F and FFE0-FFE7.
bool IsDoubleWidth(char16_t code);

/// The text's width in columns: its length when `countDoubleWidth` is
/// False; otherwise 2 for each double-width character and 1 for any other.
/// A width beyond the 32-bit range is given as its largest value.
int32_t DisplayWidth(std::u16string_view text, bool countDoubleWidth);

/// True when at least one character of the text is double width.
bool ContainsDoubleWidth(std::u16string_view text);

inline int32_t LargerOf(int32_t a, int32_t b) { return a > b ? a : b; }
inline int32_t SmallerOf(int32_t a, int32_t b) { return a < b ? a : b; }

}  // namespace carrowin
