#include "automation/format/string_section.h"

#include <algorithm>

namespace carrowin::format {

StringSection::StringSection(const LexedSection& section) {
  for (const FormatChar& c : section) {
    if (c.literal) {
      items_.push_back({false, c.ch});
    } else if (c.ch == u'@' || c.ch == u'&') {
      items_.push_back({true, c.ch});
      ++placeholders_;
    } else if (c.ch == u'<') {
      textCase_ = TextCase::kLower;
    } else if (c.ch == u'>') {
      textCase_ = TextCase::kUpper;
    } else if (c.ch == u'!') {
      leftToRight_ = true;
    } else {
      items_.push_back({false, c.ch});
    }
  }
}

bool StringSection::HasPlaceholder(const LexedSection& section) {
  return std::any_of(section.begin(), section.end(), [](const FormatChar& c) {
    return !c.literal && (c.ch == u'@' || c.ch == u'&');
  });
}

bool StringSection::HasDirective(const LexedSection& section) {
  return std::any_of(section.begin(), section.end(), [](const FormatChar& c) {
    return !c.literal && (c.ch == u'<' || c.ch == u'>' || c.ch == u'!');
  });
}

std::u16string StringSection::Format(std::u16string_view value) const {
  const std::u16string text = ConvertCase(value, textCase_);
  std::vector<std::u16string_view> chars;
  for (size_t i = 0; i < text.size();) {
    const size_t length = CharacterLength(text, i);
    chars.push_back(std::u16string_view(text).substr(i, length));
    i += length;
  }
  const size_t count = chars.size();

  std::u16string out;
  size_t placeholder = 0;
  for (const Item& item : items_) {
    if (!item.placeholder) {
      out.push_back(item.ch);
      continue;
    }
    const size_t k = placeholder++;
    // The character this placeholder shows: counted from the right end of the
    // value by default, from its left end with "!".
    const bool hasChar = leftToRight_ ? k < count : k + count >= placeholders_;
    const size_t index = leftToRight_ ? k : k + count - placeholders_;
    // Characters beyond the placeholders are kept, at the far end of the filling.
    if (!leftToRight_ && k == 0) {
      for (size_t j = 0; j + placeholders_ < count; ++j) out += chars[j];
    }
    if (hasChar) {
      out += chars[index];
    } else if (item.ch == u'@') {
      out.push_back(u' ');
    }
    if (leftToRight_ && k + 1 == placeholders_) {
      for (size_t j = placeholders_; j < count; ++j) out += chars[j];
    }
  }
  if (placeholders_ == 0) out += text;
  return out;
}

}  // namespace carrowin::format
