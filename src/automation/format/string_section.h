#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "automation/format/format_lexer.h"
#include "automation/format/text_case.h"

namespace carrowin::format {

/// One section of a string format ("@@@-@@", ">", "!&&&&"): character
/// placeholders among literal text, with case and fill-direction directives.
class StringSection {
 public:
  explicit StringSection(const LexedSection& section);

  /// Whether a section holds an "@" or "&" placeholder.
  static bool HasPlaceholder(const LexedSection& section);
  /// Whether a section holds a "<", ">" or "!" directive.
  static bool HasDirective(const LexedSection& section);

  std::u16string Format(std::u16string_view value) const;

 private:
  struct Item {
    bool placeholder;
    char16_t ch;  // '@' or '&', or the literal
  };

  std::vector<Item> items_;
  size_t placeholders_ = 0;
  bool leftToRight_ = false;
  TextCase textCase_ = TextCase::kAsIs;
};

}  // namespace carrowin::format
