#pragma once

#include <string_view>
#include <vector>

namespace carrowin::format {

/// One character of a format section. `literal` is set for characters that
/// came from a double-quoted run or after a backslash: they are shown as they
/// stand and never act as tokens.
struct FormatChar {
  char16_t ch;
  bool literal;
};

using LexedSection = std::vector<FormatChar>;

/// Splits a format at the semicolons that are neither quoted nor escaped.
/// Always at least one section.
std::vector<std::u16string_view> SplitSections(std::u16string_view format);

/// Resolves quotes and backslashes. An unclosed quote runs to the end; a
/// backslash at the very end shows nothing.
LexedSection LexSection(std::u16string_view section);

/// The literal text of a section: quoted and escaped characters, and the
/// others that are not `tokenChars` (used where a section is shown without a
/// value).
std::u16string LiteralText(const LexedSection& section, std::u16string_view tokenChars);

/// ASCII lower case of a token character; other characters unchanged.
char16_t FoldAscii(char16_t c);

}  // namespace carrowin::format
