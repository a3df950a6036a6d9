#include "carrowin/drel/right_to_left.h"

#include <algorithm>

namespace carrowin {

namespace {

bool InRange(char16_t code, char16_t first, char16_t last) { return code >= first && code <= last; }

bool IsLeftToRightChar(char16_t code) {
  return !IsRightToLeftChar(code) && !IsWhiteSpaceChar(code);
}

template <typename Predicate>
int32_t FindFrom(std::u16string_view text, int32_t start, Predicate matches) {
  const size_t first = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  for (size_t i = first; i < text.size(); ++i) {
    if (matches(text[i])) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

}  // namespace

bool IsRightToLeftChar(char16_t code) {
  return InRange(code, 0x0590, 0x05FF) || InRange(code, 0xFB1D, 0xFB4F) ||
         InRange(code, 0x0600, 0x06FF) || InRange(code, 0x0750, 0x077F) ||
         InRange(code, 0xFB50, 0xFDFF) || InRange(code, 0xFE70, 0xFEFE);
}

bool IsWhiteSpaceChar(char16_t code) {
  return code == 0x000C || code == 0x0020 || code == 0x1680 || code == 0x180E ||
         InRange(code, 0x2000, 0x200A) || code == 0x2028 || code == 0x205F || code == 0x3000;
}

int32_t FindRightToLeftChar(std::u16string_view text, int32_t start) {
  return FindFrom(text, start, IsRightToLeftChar);
}

int32_t FindLeftToRightChar(std::u16string_view text, int32_t start) {
  return FindFrom(text, start, IsLeftToRightChar);
}

void ReverseRange(std::u16string& text, int32_t from, int32_t to) {
  const int64_t first = std::max<int64_t>(from, 1);
  const int64_t last = std::min<int64_t>(to, static_cast<int64_t>(text.size()));
  if (first >= last) return;
  std::reverse(text.begin() + (first - 1), text.begin() + last);
}

std::u16string ReorderRightToLeft(std::u16string_view source) {
  std::u16string text(source);
  const int32_t p = FindRightToLeftChar(text, 1);
  if (p == 0) return text;
  const auto end = static_cast<int32_t>(text.size()) + 1;
  ReverseRange(text, p, end - 1);
  for (int32_t next = p;;) {
    const int32_t q = FindLeftToRightChar(text, next);
    if (q == 0) break;
    const int32_t r = FindRightToLeftChar(text, q);
    next = r == 0 ? end : r;
    ReverseRange(text, q, next - 1);
  }
  return text;
}

}  // namespace carrowin
