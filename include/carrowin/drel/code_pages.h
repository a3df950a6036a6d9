#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace carrowin {

/// The Windows error numbers the code-page conversions report.
namespace win32_errors {
inline constexpr int32_t kNotEnoughMemory = 8;
/// Unknown or unusable code page, or nothing to convert.
inline constexpr int32_t kInvalidParameter = 87;
inline constexpr int32_t kInsufficientBuffer = 122;
}  // namespace win32_errors

/// Code page 0 in every conversion below: the host's ANSI code page.
inline constexpr int32_t kAnsiCodePage = 0;

/// The outcome of a code-page conversion.
struct CodePageResult {
  /// Bytes or UTF-16 units produced; 0 when the conversion failed.
  int32_t count = 0;
  /// The Windows error number of a failure, 0 on success.
  int32_t lastError = 0;
};

/// Converts UTF-16 text to the bytes of the Windows code page `codepage`
/// (0: the host's ANSI code page), with the platform's default behaviour:
/// characters the code page lacks become its default character "?" (UTF-8:
/// U+FFFD's bytes), close equivalents its best-fit mappings give are used.
/// `bytes` is replaced by the result. An empty text, or a code page that is
/// unknown or cannot be opened, fails with `kInvalidParameter`.
/// Thread-safe; converters are cached per thread.
CodePageResult WideCharToMultiByte(int32_t codepage, std::u16string_view text,
                                   std::vector<uint8_t>& bytes);

/// Converts the bytes of `codepage` (0: the host's ANSI code page) to
/// UTF-16, replacing `text`. Bytes that form no character of the code page
/// become U+FFFD. Fails as `WideCharToMultiByte` does.
CodePageResult MultiByteToWideChar(int32_t codepage, std::span<const uint8_t> bytes,
                                   std::u16string& text);

/// True when `byte` opens a double-byte character of `codepage` (0: the
/// host's ANSI code page). False for single-byte pages, UTF-8 and unknown
/// code pages.
bool IsDBCSLeadByteEx(int32_t codepage, uint8_t byte);

/// True when conversions through `codepage` are possible here.
bool IsCodePageAvailable(int32_t codepage);

/// The host's ANSI code page: 1252 unless the application sets another.
int32_t HostAnsiCodePage();

/// Sets the host's ANSI code page for the whole process; meant to be called
/// once at start, before terminals run. Raises error 5 for 0 or for a code
/// page that is not available.
void SetHostAnsiCodePage(int32_t codepage);

/// The system text of a Windows error number the conversions report, without
/// trailing CR LF; "" for any other number.
std::u16string SystemErrorText(int32_t number);

/// Inbound text: the bytes of `codepage` as a string; "" for no bytes.
/// Raises error 100 (source "MultiByteToWideChar", "API Failure") when the
/// conversion fails.
std::u16string ConvertMultiByteToUnicode(int32_t codepage, std::span<const uint8_t> bytes);

/// The text of `count` bytes at `index` of an inbound message. With code
/// page 0 the whole message is read in the host's ANSI code page and
/// `count` characters are taken from the character position of `index`;
/// otherwise the bytes from `index` are converted with
/// `ConvertMultiByteToUnicode`. Either way fewer are taken when the message
/// ends first, and an `index` at or past its end gives "".
std::u16string RecordText(int32_t codepage, std::span<const uint8_t> message, size_t index,
                          size_t count);

}  // namespace carrowin
