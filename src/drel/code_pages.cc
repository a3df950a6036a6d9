#include "carrowin/drel/code_pages.h"

#include <algorithm>
#include <atomic>
#include <limits>

#include "automation/decimal_text.h"
#include "carrowin/automation/error.h"
#include "drel/code_page_conversion.h"
#include "drel/code_page_registry.h"
#include "drel/converter_cache.h"
#include "drel/single_byte_table.h"

namespace carrowin {

namespace {

constexpr int32_t kDefaultAnsiCodePage = 1252;
// The one page without lead bytes whose characters still take several bytes.
constexpr int32_t kUtf8CodePage = 65001;
std::atomic<int32_t> hostAnsiCodePage{kDefaultAnsiCodePage};

// Longest input ICU's 32-bit lengths can take with room for the output.
constexpr size_t kMaxInput = std::numeric_limits<int32_t>::max() / 4;

int32_t ErrorOf(UErrorCode status) {
  switch (status) {
    case U_MEMORY_ALLOCATION_ERROR:
      return win32_errors::kNotEnoughMemory;
    case U_BUFFER_OVERFLOW_ERROR:
      return win32_errors::kInsufficientBuffer;
    default:
      return win32_errors::kInvalidParameter;
  }
}

// The IBM-derived tables place U+001A, U+001C and U+007F at 7F, 1A and 1C.
// Handing ICU the character that its table puts at the wanted byte restores
// the platform's identity mapping of these controls.
constexpr char16_t IbmControlFor(char16_t unit) {
  switch (unit) {
    case 0x001A:
      return 0x001C;
    case 0x001C:
      return 0x007F;
    case 0x007F:
      return 0x001A;
    default:
      return unit;
  }
}

// The inverse, on bytes: the byte whose ICU character is the platform's one.
constexpr uint8_t IbmByteFor(uint8_t byte) {
  switch (byte) {
    case 0x1A:
      return 0x7F;
    case 0x1C:
      return 0x1A;
    case 0x7F:
      return 0x1C;
    default:
      return byte;
  }
}

bool IsIbmControl(char16_t unit) { return unit == 0x1A || unit == 0x1C || unit == 0x7F; }

}  // namespace

CodePageResult IcuFromUnicode(const CodePageInfo& info, std::u16string_view text,
                              std::vector<uint8_t>& bytes) {
  UConverter* converter = ThreadConverter(info);
  if (converter == nullptr) return {0, win32_errors::kInvalidParameter};

  std::u16string corrected;
  if (info.ibmControlOrder && std::any_of(text.begin(), text.end(), IsIbmControl)) {
    corrected.assign(text);
    std::transform(corrected.begin(), corrected.end(), corrected.begin(), IbmControlFor);
    text = corrected;
  }
  const auto length = static_cast<int32_t>(text.size());
  const int32_t capacity = UCNV_GET_MAX_BYTES_FOR_STRING(length, ucnv_getMaxCharSize(converter));
  bytes.resize(static_cast<size_t>(capacity));
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter);
  const int32_t count = ucnv_fromUChars(converter, reinterpret_cast<char*>(bytes.data()), capacity,
                                        text.data(), length, &status);
  if (U_FAILURE(status)) {
    bytes.clear();
    return {0, ErrorOf(status)};
  }
  bytes.resize(static_cast<size_t>(count));
  return {count, 0};
}

CodePageResult WideCharToMultiByte(int32_t codepage, std::u16string_view text,
                                   std::vector<uint8_t>& bytes) {
  return FromUnicode(FindCodePage(codepage), text, bytes);
}

CodePageResult FromUnicode(const CodePageInfo* info, std::u16string_view text,
                           std::vector<uint8_t>& bytes) {
  if (info == nullptr || text.empty() || text.size() > kMaxInput) {
    return {0, win32_errors::kInvalidParameter};
  }
  // Single-byte pages convert by table; a surrogate still goes to ICU, which
  // makes one character (one "?") of a pair.
  const SingleByteTable* table = FindSingleByteTable(*info);
  if (table != nullptr && table->Convert(text, bytes)) {
    return {static_cast<int32_t>(bytes.size()), 0};
  }
  return IcuFromUnicode(*info, text, bytes);
}

CodePageResult MultiByteToWideChar(int32_t codepage, std::span<const uint8_t> bytes,
                                   std::u16string& text) {
  const CodePageInfo* info = FindCodePage(codepage);
  if (info == nullptr || bytes.empty() || bytes.size() > kMaxInput) {
    return {0, win32_errors::kInvalidParameter};
  }
  UConverter* converter = ThreadConverter(*info);
  if (converter == nullptr) return {0, win32_errors::kInvalidParameter};

  // In 932, the only double-byte IBM-ordered page, 1A, 1C and 7F are never
  // trail bytes, so swapping them byte by byte cannot split a character.
  std::vector<uint8_t> corrected;
  if (info->ibmControlOrder && std::any_of(bytes.begin(), bytes.end(), IsIbmControl)) {
    corrected.assign(bytes.begin(), bytes.end());
    std::transform(corrected.begin(), corrected.end(), corrected.begin(), IbmByteFor);
    bytes = corrected;
  }
  // No code page yields more UTF-16 units than bytes; the spare unit takes
  // ICU's terminating NUL.
  const auto length = static_cast<int32_t>(bytes.size());
  text.resize(bytes.size() + 1);
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetToUnicode(converter);
  const int32_t count = ucnv_toUChars(converter, text.data(), length + 1,
                                      reinterpret_cast<const char*>(bytes.data()), length, &status);
  if (U_FAILURE(status)) {
    text.clear();
    return {0, ErrorOf(status)};
  }
  text.resize(static_cast<size_t>(count));
  return {count, 0};
}

bool IsDBCSLeadByteEx(int32_t codepage, uint8_t byte) {
  const CodePageInfo* info = FindCodePage(codepage);
  return info != nullptr && IsLeadByte(info->leadBytes, byte);
}

bool IsCodePageAvailable(int32_t codepage) {
  const CodePageInfo* info = FindCodePage(codepage);
  return info != nullptr && ThreadConverter(*info) != nullptr;
}

int32_t HostAnsiCodePage() { return hostAnsiCodePage.load(std::memory_order_relaxed); }

void SetHostAnsiCodePage(int32_t codepage) {
  if (codepage == kAnsiCodePage || !IsCodePageAvailable(codepage)) {
    RaiseError(errors::kInvalidProcedureCall, u"SetHostAnsiCodePage",
               u"Code page " + DecimalText(codepage) + u" is not available");
  }
  hostAnsiCodePage.store(codepage, std::memory_order_relaxed);
}

std::u16string SystemErrorText(int32_t number) {
  switch (number) {
    case win32_errors::kNotEnoughMemory:
      return u"Not enough memory resources are available to process this command.";
    case win32_errors::kInvalidParameter:
      return u"The parameter is incorrect.";
    case win32_errors::kInsufficientBuffer:
      return u"The data area passed to a system call is too small.";
    default:
      return u"";
  }
}

std::u16string ConvertMultiByteToUnicode(int32_t codepage, std::span<const uint8_t> bytes) {
  std::u16string text;
  if (bytes.empty()) return text;
  if (MultiByteToWideChar(codepage, bytes, text).count == 0) {
    RaiseError(errors::kApiFailure, u"MultiByteToWideChar", u"API Failure");
  }
  return text;
}

std::u16string RecordText(int32_t codepage, std::span<const uint8_t> message, size_t index,
                          size_t count) {
  if (index >= message.size()) return u"";
  if (codepage != kAnsiCodePage) {
    return ConvertMultiByteToUnicode(
        codepage, message.subspan(index, std::min(count, message.size() - index)));
  }
  // In a single-byte ANSI code page each byte is one character, so the
  // record's own bytes are its text; reading the whole message for every
  // record would make a message of many records cost its size squared.
  const CodePageInfo* ansi = FindCodePage(kAnsiCodePage);
  if (ansi != nullptr && ansi->leadBytes == LeadBytes::kNone && ansi->codepage != kUtf8CodePage) {
    return ConvertMultiByteToUnicode(
        kAnsiCodePage, message.subspan(index, std::min(count, message.size() - index)));
  }
  // The character position of `index` is the number of characters its
  // preceding bytes make; in a double-byte ANSI code page that is fewer.
  const std::u16string whole = ConvertMultiByteToUnicode(codepage, message);
  const size_t position = ConvertMultiByteToUnicode(codepage, message.first(index)).size();
  if (position >= whole.size()) return u"";
  return whole.substr(position, count);
}

}  // namespace carrowin
