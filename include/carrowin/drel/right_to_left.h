#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace carrowin {

/// Puts screen text into the order a left-to-right display needs for
/// right-to-left (Hebrew, Arabic) text: everything from the first
/// right-to-left character to the end is reversed, then each left-to-right
/// run in it (digits, Latin words, with the white space that follows them up
/// to the next right-to-left character) is turned back into reading order.
/// Characters before the first right-to-left character never move; text
/// without one is returned unchanged.
std::u16string ReorderRightToLeft(std::u16string_view text);

/// True for the Hebrew and Arabic blocks and their presentation forms:
/// U+0590-05FF, FB1D-FB4F, 0600-06FF, 0750-077F, FB50-FDFF, FE70-FEFE.
bool IsRightToLeftChar(char16_t code);

/// True for U+000C, U+0020, U+1680, U+180E, U+2000-200A, U+2028, U+205F and
/// U+3000 only (not for tab or no-break space).
bool IsWhiteSpaceChar(char16_t code);

/// Positions count UTF-16 code units from 1. The searches start at `start`
/// (a start below 1 searches from 1) and return 0 when nothing is found,
/// also for a start past the end.

/// The first position at or after `start` holding a right-to-left character.
int32_t FindRightToLeftChar(std::u16string_view text, int32_t start);

/// The first position at or after `start` holding a character that is
/// neither right-to-left nor white space.
int32_t FindLeftToRightChar(std::u16string_view text, int32_t start);

/// Reverses the characters from position `from` to `to`, both included.
/// The range is cut to the text; an empty range changes nothing.
void ReverseRange(std::u16string& text, int32_t from, int32_t to);

}  // namespace carrowin
