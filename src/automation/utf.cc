#include "carrowin/automation/utf.h"

#include <cstddef>
#include <cstdint>

namespace carrowin {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(char32_t codePoint, std::string& out) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void AppendUtf16(char32_t codePoint, std::u16string& out) {
  if (codePoint < 0x10000) {
    out += static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF));
  }
}

// The code point of the well-formed UTF-8 sequence at text[pos], and how many
// bytes it takes; U+FFFD and the length of the maximal ill-formed prefix (at
// least 1) otherwise, so one bad byte never swallows the good ones after it.
struct Decoded {
  char32_t codePoint;
  size_t length;
};

Decoded DecodeUtf8At(std::string_view text, size_t pos) {
  const auto lead = static_cast<uint8_t>(text[pos]);
  if (lead < 0x80) return {lead, 1};
  size_t trailing;
  char32_t codePoint;
  // The bounds of the first trailing byte exclude overlongs, surrogates and
  // values above U+10FFFF at the earliest byte that betrays them.
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailing = 1;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailing = 2;
    codePoint = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailing = 3;
    codePoint = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {kReplacement, 1};
  }
  size_t length = 1;
  for (size_t i = 0; i < trailing; ++i) {
    if (pos + length >= text.size()) return {kReplacement, length};
    const auto next = static_cast<uint8_t>(text[pos + length]);
    if (next < low || next > high) return {kReplacement, length};
    codePoint = (codePoint << 6) | (next & 0x3F);
    ++length;
    low = 0x80;  // later trailing bytes take their whole range
    high = 0xBF;
  }
  return {codePoint, length};
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsSurrogate(unit)) {
      unit = kReplacement;
    }
    AppendUtf8(unit, out);
  }
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const Decoded decoded = DecodeUtf8At(text, pos);
    AppendUtf16(decoded.codePoint, out);
    pos += decoded.length;
  }
  return out;
}

}  // namespace carrowin
