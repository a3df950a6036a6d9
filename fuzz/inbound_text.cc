// Text the terminal sends: the bytes of a record in the terminal's code page
// turned into UTF-16. Input: a byte choosing the code page (one of the
// mapped pages, or 0 for the host's ANSI code page), a byte choosing the
// host's ANSI page (a mapped page, or 1252 past them), a byte for the
// record's index and one for its length; then the message.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/drel/code_pages.h"
#include "drel/code_page_registry.h"
#include "support/fuzz_input.h"
#include "support/invariant.h"

namespace carrowin::fuzzing {
namespace {

int32_t ChooseCodePage(uint8_t choice) {
  const size_t index = choice % (kCodePageCount + 1);
  return index == kCodePageCount ? kAnsiCodePage : kCodePages[index].codepage;
}

bool IsSingleBytePage(int32_t codepage) {
  const CodePageInfo* info = FindCodePage(codepage);
  return info->leadBytes == LeadBytes::kNone && info->codepage != 65001;
}

std::u16string Convert(int32_t codepage, std::span<const uint8_t> bytes) {
  try {
    return ConvertMultiByteToUnicode(codepage, bytes);
  } catch (const Error&) {
    Check(false, "a mapped code page converts any bytes");
  }
  return {};
}

void CheckSingleBytePage(int32_t codepage, std::span<const uint8_t> message,
                         const std::u16string& text) {
  Check(text.size() == message.size(), "a single-byte page gives one character per byte");
  for (size_t i = 0; i < message.size(); ++i) {
    Check(text[i] == Convert(codepage, message.subspan(i, 1))[0],
          "a single-byte page decodes each byte on its own");
  }
}

// True when each byte below `limit` becomes the character of the same value
// and nothing else becomes such a character: counted value by value.
bool KeepsBytesBelow(uint8_t limit, std::span<const uint8_t> message, const std::u16string& text) {
  std::array<size_t, 0x80> bytesOf{};
  std::array<size_t, 0x80> charactersOf{};
  for (const uint8_t byte : message) {
    if (byte < limit) ++bytesOf[byte];
  }
  for (const char16_t unit : text) {
    if (unit < limit) ++charactersOf[unit];
  }
  return bytesOf == charactersOf;
}

void CheckUtf8(std::span<const uint8_t> message, const std::u16string& text) {
  // ASCII bytes never belong to a longer sequence, and no sequence, however
  // malformed, may pass for ASCII (an overlong "/" must not become one).
  Check(KeepsBytesBelow(0x80, message, text),
        "UTF-8 keeps every ASCII byte and makes no other ASCII");
  if (text.find(u'\uFFFD') != std::u16string::npos) return;
  std::vector<uint8_t> bytes;
  WideCharToMultiByte(65001, text, bytes);
  Check(std::equal(bytes.begin(), bytes.end(), message.begin(), message.end()),
        "well-formed UTF-8 converts back to the same bytes");
}

void CheckRecord(int32_t codepage, std::span<const uint8_t> message, size_t index, size_t count) {
  std::u16string record;
  try {
    record = RecordText(codepage, message, index, count);
  } catch (const Error&) {
    Check(false, "a record of a mapped code page always converts");
  }
  Check(record.size() <= count, "a record gives at most the characters asked for");
  if (index >= message.size()) {
    Check(record.empty(), "a record past the message's end is empty");
  } else if (codepage == kAnsiCodePage) {
    // Code page 0 counts characters, so the record is a piece of the text.
    const std::u16string whole = Convert(codepage, message);
    Check(whole.find(record) != std::u16string::npos, "an ANSI record is a piece of the text");
    if (IsSingleBytePage(HostAnsiCodePage())) {
      Check(record == whole.substr(index, count),
            "in a single-byte ANSI page a record's characters are its bytes'");
    }
  }
}

void ConvertInbound(int32_t codepage, std::span<const uint8_t> message, size_t index,
                    size_t count) {
  const std::u16string text = Convert(codepage, message);
  Check(text.size() <= message.size(), "no code page gives more characters than bytes");
  Check(message.empty() == text.empty(), "bytes make text, and no bytes none");
  Check(IsWellFormed(text), "inbound text has no unpaired surrogate");
  if (codepage == kAnsiCodePage) {
    Check(text == Convert(HostAnsiCodePage(), message), "code page 0 is the host's ANSI page");
  } else if (IsSingleBytePage(codepage)) {
    CheckSingleBytePage(codepage, message, text);
  } else if (codepage == 65001) {
    CheckUtf8(message, text);
  } else {
    // Bytes 00-3F are neither lead nor trail bytes in any double-byte page:
    // a lead byte cut short must not swallow a following CR or digit.
    Check(KeepsBytesBelow(0x40, message, text), "double-byte pages keep every byte 00-3F");
  }
  CheckRecord(codepage, message, index, count);
}

}  // namespace
}  // namespace carrowin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace carrowin;
  fuzzing::FuzzInput input(data, size);
  const int32_t codepage = fuzzing::ChooseCodePage(input.TakeByte());
  // The host's ANSI page, which code page 0 stands for: 1252 unless chosen.
  const uint8_t ansiChoice = input.TakeByte();
  SetHostAnsiCodePage(ansiChoice < kCodePageCount ? kCodePages[ansiChoice].codepage : 1252);
  const size_t index = input.TakeByte();
  const size_t count = input.TakeByte();
  fuzzing::ConvertInbound(codepage, input.TakeRest(), index, count);
  return 0;
}
