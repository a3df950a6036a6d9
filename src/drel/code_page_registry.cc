#include "drel/code_page_registry.h"

#include <algorithm>

#include "carrowin/drel/code_pages.h"

namespace carrowin {

const CodePageInfo* FindCodePage(int32_t codepage) {
  if (codepage == kAnsiCodePage) codepage = HostAnsiCodePage();
  const auto* end = std::end(kCodePages);
  const auto* found = std::lower_bound(
      std::begin(kCodePages), end, codepage,
      [](const CodePageInfo& info, int32_t value) { return info.codepage < value; });
  return found != end && found->codepage == codepage ? found : nullptr;
}

bool IsLeadByte(LeadBytes leadBytes, uint8_t byte) {
  switch (leadBytes) {
    case LeadBytes::kShiftJis:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case LeadBytes::kHighRange:
      return byte >= 0x81 && byte <= 0xFE;
    case LeadBytes::kNone:
      break;
  }
  return false;
}

}  // namespace carrowin
