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
  // A value that fits fills the placeholders from the right end, or from the
  // left with "!"; a longer one always fills them from the left.
  const size_t skipped = leftToRight_ || count >= placeholders_ ? 0 : placeholders_ - count;
  // Characters beyond the placeholders follow the last placeholder with "!",
  // else the whole result.
  std::u16string surplus;
  for (size_t j = placeholders_; j < count; ++j) surplus += chars[j];

  std::u16string out;
  size_t placeholder = 0;
  for (const Item& item : items_) {
    if (!item.placeholder) {
      out.push_back(item.ch);
      continue;
    }
    const size_t k = placeholder++;
    if (k >= skipped && k - skipped < count) {
      out += chars[k - skipped];
    } else if (item.ch == u'@') {
      out.push_back(u' ');
    }
    if (leftToRight_ && k + 1 == placeholders_) {
      out += surplus;
      surplus.clear();
    }
  }
  out += surplus;
  return out;
}

}  // namespace carrowin::format
