#include "automation/format/format_lexer.h"

#include <algorithm>
#include <string>

namespace carrowin::format {

std::vector<std::u16string_view> SplitSections(std::u16string_view format) {
  std::vector<std::u16string_view> sections;
  size_t start = 0;
  bool quoted = false;
  for (size_t i = 0; i < format.size(); ++i) {
    const char16_t c = format[i];
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && c == u'\\') {
      ++i;
    } else if (!quoted && c == u';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(std::min(start, format.size())));
  return sections;
}

LexedSection LexSection(std::u16string_view section) {
  LexedSection lexed;
  lexed.reserve(section.size());
  bool quoted = false;
  for (size_t i = 0; i < section.size(); ++i) {
    const char16_t c = section[i];
    if (c == u'"') {
      quoted = !quoted;
    } else if (quoted) {
      lexed.push_back({c, true});
    } else if (c == u'\\') {
      if (++i < section.size()) lexed.push_back({section[i], true});
    } else {
      lexed.push_back({c, false});
    }
  }
  return lexed;
}

std::u16string LiteralText(const LexedSection& section, std::u16string_view tokenChars) {
  std::u16string text;
  for (const FormatChar& c : section) {
    if (c.literal || tokenChars.find(c.ch) == std::u16string_view::npos) text.push_back(c.ch);
  }
  return text;
}

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

}  // namespace carrowin::format
