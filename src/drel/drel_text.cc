#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "automation/decimal_text.h"
#include "carrowin/automation/error.h"
#include "carrowin/drel/code_pages.h"
#include "carrowin/drel/drel.h"
#include "carrowin/drel/right_to_left.h"
#include "drel/code_page_conversion.h"
#include "drel/code_page_registry.h"
#include "drel/command_text.h"

namespace carrowin {

namespace {

// Announces to the terminal that double-byte characters follow.
constexpr uint8_t kDoubleByteMarker = 0x11;

// Constants, so that no call measures the names again.
constexpr std::u16string_view kScreenConversion = u"ConvertUnicodeToMultiByte";
constexpr std::u16string_view kPrinterConversion = u"ConvertUnicodeToMultiByteEx";

// The code pages known to work with the terminals. 974 (not 874) belongs to
// the set although no converter exists for it: conversions through it fail
// and are reported.
bool IsTestedCodePage(int32_t codepage) {
  switch (codepage) {
    case 0:
    case 437:
    case 850:
    case 855:
    case 864:
    case 932:
    case 949:
    case 950:
    case 974:
    case 1251:
    case 1256:
    case 20866:
    case 65001:
      return true;
    default:
      return codepage >= 28591 && codepage <= 28599;
  }
}

void ReportUntestedCodePage(ErrorReporter& reporter, int32_t codepage) {
  if (IsTestedCodePage(codepage)) return;
  reporter.SetDescription(u"Untested Codepage: [" + DecimalText(codepage) + u"].");
  reporter.Report(false, 1, 100, u"Codepage");
}

// Puts the marker in front of the first double-byte character; the bytes
// before it are all single-byte characters.
void InsertDoubleByteMarker(const CodePageInfo& info, std::vector<uint8_t>& bytes) {
  if (info.leadBytes == LeadBytes::kNone) return;
  for (auto it = bytes.begin(); it != bytes.end(); ++it) {
    if (IsLeadByte(info.leadBytes, *it)) {
      bytes.insert(it, kDoubleByteMarker);
      return;
    }
  }
}

// The conversion shared by screen and printer text. A NUL in the text ends
// the bytes, as the terminal reads text up to its first NUL byte.
bool ConvertToCodePage(ErrorReporter& reporter, int32_t codepage, std::u16string_view text,
                       bool markDoubleByte, std::u16string_view procedure,
                       std::vector<uint8_t>& bytes, int32_t& count) {
  const CodePageInfo* info = FindCodePage(codepage);
  const CodePageResult result = FromUnicode(info, text, bytes);
  if (result.count == 0) {
    bytes.clear();
    reporter.SetDescription(u"WideCharToMultiByte() call failed: [" +
                            SystemErrorText(result.lastError) + u"]");
    reporter.Report(false, 1, 100, procedure);
    return false;
  }
  if (const void* nul = std::memchr(bytes.data(), 0, bytes.size())) {
    bytes.resize(static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes.data()));
  }
  if (markDoubleByte) InsertDoubleByteMarker(*info, bytes);
  count = static_cast<int32_t>(bytes.size());
  return true;
}

}  // namespace

void Drel::SetCodepage(int32_t value) {
  codepage_ = value;
  ReportUntestedCodePage(*GetErrorReporter(), value);
  GetTraceWriter()->Trace(3, u"Let Codepage", u"Codepage=" + DecimalText(codepage_));
}

void Drel::SetPrinterCodepage(int32_t value) {
  printerCodepage_ = value;
  ReportUntestedCodePage(*GetErrorReporter(), value);
  GetTraceWriter()->Trace(3, u"Let PrinterCodepage",
                          u"PrinterCodepage=" + DecimalText(printerCodepage_));
}

bool Drel::ConvertUnicodeToMultiByte(std::u16string_view text, std::vector<uint8_t>& bytes,
                                     int32_t& count) {
  if (text.empty()) {
    bytes.clear();
    return false;
  }
  std::u16string reordered;
  if (handleHebrewDisplay_) {
    reordered = ReorderRightToLeft(text);
    text = reordered;
  }
  return ConvertToCodePage(*GetErrorReporter(), codepage_, text, true, kScreenConversion, bytes,
                           count);
}

bool Drel::ConvertUnicodeToMultiByteEx(int32_t codepage, std::u16string_view text,
                                       std::vector<uint8_t>& bytes, int32_t& count) {
  if (text.empty()) {
    bytes.clear();
    return false;
  }
  return ConvertToCodePage(*GetErrorReporter(), codepage, text, false, kPrinterConversion, bytes,
                           count);
}

bool Drel::ConvertStringToBytes(std::u16string_view text, std::vector<uint8_t>& bytes,
                                int32_t& count) {
  if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    RaiseError(errors::kOverflow, u"Drel.ConvertStringToBytes");
  }
  count = static_cast<int32_t>(text.size());
  // ASCII is the same byte in every ANSI code page: the common case of
  // field labels and data needs no converter.
  if (IsAscii(text)) {
    bytes.assign(text.begin(), text.end());
    return true;
  }
  // Whole text at once: when every character gave one byte, that is the
  // result. Otherwise look for the character that did not.
  if (WideCharToMultiByte(kAnsiCodePage, text, bytes).count == count) return true;
  std::vector<uint8_t> single;
  bytes.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const CodePageResult result = WideCharToMultiByte(kAnsiCodePage, text.substr(i, 1), single);
    if (result.count == 0) {
      RaiseError(errors::kApiFailure, u"WideCharToMultiByte", SystemErrorText(result.lastError));
    }
    if (result.count != 1) RaiseError(errors::kOverflow, u"Drel.ConvertStringToBytes");
    bytes.push_back(single[0]);
  }
  return true;
}

}  // namespace carrowin
