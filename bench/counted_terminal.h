#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "carrowin/carrowin.h"

namespace carrowin::bench_support {

/// The terminal number every benchmark terminal is configured with.
inline constexpr int32_t kTerminalId = 7;

/// One terminal of a site: its own trace (level 0), the site's settings
/// store, a sender that counts what reaches the wire.
struct CountedTerminal {
  std::shared_ptr<Terminal> terminal;
  std::shared_ptr<int64_t> sentBytes;
};

/// A settings store with the record "T1" of one terminal.
std::shared_ptr<MemorySettingsStore> SiteStore();
/// Gives the record `objectID` of `store` its terminal number.
void AddTerminalRecord(MemorySettingsStore& store, std::u16string_view objectID);
/// A terminal initialised from the record `objectID` of `store`, with the
/// parameters of a terminal of version 70 with 40 virtual columns.
CountedTerminal MakeTerminal(const std::shared_ptr<MemorySettingsStore>& store,
                             std::u16string_view objectID = u"T1");
/// A page on terminal page 1.
std::shared_ptr<Page> AddPage(Terminal& terminal, std::u16string_view name);
/// A picking screen: five labels and five entry fields (numbers 6 to 10),
/// two of them with data.
void AddPickingFields(Fields& fields);
/// A page "Picking" with the picking screen's fields.
std::shared_ptr<Page> AddPickingPage(Terminal& terminal);

}  // namespace carrowin::bench_support
