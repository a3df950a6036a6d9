// Outbound text through a code page and back: what the terminal would show
// of what the application wrote. Input: a byte choosing one of the mapped
// code pages, a byte choosing where the text comes from (even: written out,
// see FuzzInput::Text; odd: the chosen page's decoding of the bytes, so that
// most of its characters are ones the page has); then those bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "carrowin/drel/code_pages.h"
#include "drel/code_page_registry.h"
#include "support/fuzz_input.h"
#include "support/invariant.h"

namespace carrowin::fuzzing {
namespace {

constexpr int32_t kUtf8 = 65001;

std::vector<uint8_t> Encode(int32_t codepage, std::u16string_view text) {
  std::vector<uint8_t> bytes;
  const CodePageResult result = WideCharToMultiByte(codepage, text, bytes);
  Check(result.lastError == 0 && result.count == static_cast<int32_t>(bytes.size()),
        "a mapped code page converts any text, reporting the bytes it made");
  return bytes;
}

std::u16string Decode(int32_t codepage, std::span<const uint8_t> bytes) {
  std::u16string text;
  const CodePageResult result = MultiByteToWideChar(codepage, bytes, text);
  Check(result.lastError == 0 && result.count == static_cast<int32_t>(text.size()),
        "a mapped code page converts any bytes, reporting the characters it made");
  return text;
}

// A character the page has: it converts to bytes that convert back to it.
// Characters the page lacks become "?", and best-fit mappings are one-way.
bool Has(int32_t codepage, std::u16string_view character) {
  return Decode(codepage, Encode(codepage, character)) == character;
}

// UTF-8 carries every character; an unpaired surrogate is none and arrives
// as U+FFFD.
std::u16string Utf8Expected(std::u16string_view text) {
  std::u16string expected;
  for (const std::u16string_view character : Characters(text)) {
    if (IsUnpairedSurrogate(character)) {
      expected += u'\uFFFD';
    } else {
      expected += character;
    }
  }
  return expected;
}

void RoundTrip(const CodePageInfo& page, std::u16string_view text) {
  if (text.empty()) return;
  const std::vector<uint8_t> bytes = Encode(page.codepage, text);
  const std::u16string back = Decode(page.codepage, bytes);
  const std::vector<std::u16string_view> characters = Characters(text);
  if (page.codepage == kUtf8) {
    Check(back == Utf8Expected(text), "UTF-8 returns the text, U+FFFD for unpaired surrogates");
    return;
  }
  if (page.leadBytes == LeadBytes::kNone) {
    // Any character, the page's or not, takes one byte and comes back as one.
    Check(bytes.size() == characters.size(), "a single-byte page writes a byte per character");
    Check(back.size() == bytes.size(), "a single-byte page reads a character per byte");
  }
  // The pages are stateless: a text of characters the page has converts as
  // its characters do one by one, and so comes back unchanged.
  for (const std::u16string_view character : characters) {
    if (!Has(page.codepage, character)) return;
  }
  Check(back == text, "a text of the page's own characters comes back unchanged");
}

}  // namespace
}  // namespace carrowin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace carrowin;
  fuzzing::FuzzInput input(data, size);
  const CodePageInfo& page = kCodePages[input.TakeByte() % kCodePageCount];
  const bool decoded = (input.TakeByte() & 1) != 0;
  const auto bytes = input.TakeRest();
  if (decoded && bytes.empty()) return 0;
  const std::u16string text =
      decoded ? fuzzing::Decode(page.codepage, bytes) : fuzzing::FuzzInput::Text(bytes);
  fuzzing::RoundTrip(page, text);
  return 0;
}
