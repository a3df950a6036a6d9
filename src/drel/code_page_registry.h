#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace carrowin {

/// Which bytes open a double-byte character.
enum class LeadBytes : uint8_t {
  kNone,
  /// 81-9F and E0-FC (932).
  kShiftJis,
  /// 81-FE (949, 950).
  kHighRange,
};

/// How one Windows code page is converted with ICU.
struct CodePageInfo {
  int32_t codepage;
  /// The ICU converter whose table matches the Windows one best.
  const char* converterName;
  /// ICU's fallback mappings stand in for the platform's best-fit mappings;
  /// off where they map characters the platform does not.
  bool fallbacks;
  /// The table comes from an IBM one that places the controls U+001A,
  /// U+001C and U+007F at 7F, 1A and 1C; the platform keeps them in place.
  bool ibmControlOrder;
  /// UTF-8 keeps ICU's substitute (the bytes of U+FFFD) instead of "?".
  bool substituteQuestionMark;
  LeadBytes leadBytes;
};

/// The mapped code pages, in ascending order.
inline constexpr CodePageInfo kCodePages[] = {
    {437, "ibm-437", true, true, true, LeadBytes::kNone},
    {850, "ibm-850", true, true, true, LeadBytes::kNone},
    {855, "ibm-855", true, true, true, LeadBytes::kNone},
    {864, "ibm-864", true, true, true, LeadBytes::kNone},
    {932, "windows-932", false, true, true, LeadBytes::kShiftJis},
    {949, "windows-949", true, false, true, LeadBytes::kHighRange},
    {950, "windows-950", true, false, true, LeadBytes::kHighRange},
    {1251, "windows-1251", true, false, true, LeadBytes::kNone},
    {1252, "windows-1252", true, false, true, LeadBytes::kNone},
    {1256, "windows-1256", true, false, true, LeadBytes::kNone},
    {20866, "KOI8-R", true, false, true, LeadBytes::kNone},
    {28591, "ISO-8859-1", true, false, true, LeadBytes::kNone},
    {28592, "windows-28592", true, false, true, LeadBytes::kNone},
    {28593, "windows-28593", true, false, true, LeadBytes::kNone},
    {28594, "windows-28594", true, false, true, LeadBytes::kNone},
    {28595, "windows-28595", true, false, true, LeadBytes::kNone},
    {28596, "windows-28596", true, false, true, LeadBytes::kNone},
    {28597, "windows-28597", true, false, true, LeadBytes::kNone},
    {28598, "windows-28598", true, false, true, LeadBytes::kNone},
    {28599, "windows-28599", true, false, true, LeadBytes::kNone},
    {65001, "UTF-8", false, false, false, LeadBytes::kNone},
};

inline constexpr size_t kCodePageCount = std::size(kCodePages);

/// The entry of `codepage` (0: the host's ANSI code page), or nullptr when
/// the code page is not mapped.
const CodePageInfo* FindCodePage(int32_t codepage);

/// The entry's position in `kCodePages`.
inline size_t CodePageIndex(const CodePageInfo& info) {
  return static_cast<size_t>(&info - kCodePages);
}

bool IsLeadByte(LeadBytes leadBytes, uint8_t byte);

}  // namespace carrowin
