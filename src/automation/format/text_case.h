#pragma once

#include <string>
#include <string_view>

namespace carrowin::format {

/// Which case the "<" and ">" directives ask for.
enum class TextCase { kAsIs, kLower, kUpper };

/// `text` in the given case, character by character (simple case mapping, so
/// the length in characters never changes). Unpaired surrogates stay as they are.
std::u16string ConvertCase(std::u16string_view text, TextCase textCase);

/// The number of UTF-16 units of the character that starts at `index`: 2 for
/// a surrogate pair, else 1.
size_t CharacterLength(std::u16string_view text, size_t index);

}  // namespace carrowin::format
