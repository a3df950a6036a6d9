#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "carrowin/drel/code_pages.h"
#include "drel/code_page_registry.h"

namespace carrowin {

/// `WideCharToMultiByte` for a code page already looked up (`info` nullptr
/// for an unknown one), so that a caller needing the entry too looks it up
/// once: by table for a single-byte page, else by ICU.
CodePageResult FromUnicode(const CodePageInfo* info, std::u16string_view text,
                           std::vector<uint8_t>& bytes);

/// `text` (not empty, not longer than ICU's lengths allow) converted by the
/// calling thread's converter of `info`, with the corrections the registry
/// names for it: the conversion of everything no table serves, and the
/// source of every single-byte table. `bytes` is replaced by the result.
CodePageResult IcuFromUnicode(const CodePageInfo& info, std::u16string_view text,
                              std::vector<uint8_t>& bytes);

}  // namespace carrowin
