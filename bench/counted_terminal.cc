#include "counted_terminal.h"

#include <span>
#include <vector>

namespace carrowin::bench_support {

std::shared_ptr<MemorySettingsStore> SiteStore() {
  auto store = std::make_shared<MemorySettingsStore>();
  AddTerminalRecord(*store, u"T1");
  return store;
}

void AddTerminalRecord(MemorySettingsStore& store, std::u16string_view objectID) {
  store.SetSetting(u"Terminal", objectID, u"TerminalId", Variant(kTerminalId));
}

CountedTerminal MakeTerminal(const std::shared_ptr<MemorySettingsStore>& store,
                             std::u16string_view objectID) {
  HostFactories factories;
  factories.processTrace = [] { return std::make_shared<MemoryProcessTrace>(0); };
  factories.objectSettings = [store] { return std::make_shared<MemoryObjectSettings>(store); };
  factories.settingsEraser = [store] { return std::make_shared<MemorySettingsEraser>(store); };
  CountedTerminal counted{Terminal::Create(factories), std::make_shared<int64_t>(0)};
  auto sender = std::make_shared<CallbackMessageSender>(
      [bytes = counted.sentBytes](std::span<const uint8_t> message) {
        *bytes += static_cast<int64_t>(message.size());
      });
  counted.terminal->Initialize(std::make_shared<InProcessConnection>(sender), objectID);
  // The parameter reply of a terminal of version 70 with 40 virtual columns:
  // model, version, features, config, columns / 2, sizes, saved pages,
  // application, each as value + 48.
  const std::vector<uint8_t> reply = {'!', 49, 118, 48, 48, 68, 216, 52, 48};
  counted.terminal->Parameters()->LoadData(reply, 1);
  return counted;
}

std::shared_ptr<Page> AddPage(Terminal& terminal, std::u16string_view name) {
  auto page = terminal.Pages()->Add(name);
  page->SetPageNumber(1);
  return page;
}

void AddPickingFields(Fields& fields) {
  fields.AddText(1, u"Title", 1, 1, u"PICKING");
  fields.AddText(2, u"Loc", 3, 1, u"Location:");
  fields.AddText(3, u"Item", 4, 1, u"Item:");
  fields.AddText(4, u"Qty", 5, 1, u"Quantity:");
  fields.AddText(5, u"Lot", 6, 1, u"Lot:");
  fields.AddEntry(6, u"Loc", 3, 11, 8)->SetData(u"A-12-03");
  fields.AddEntry(7, u"Item", 4, 11, 14)->SetData(u"BOLT-M8X40");
  fields.AddEntry(8, u"Qty", 5, 11, 5, StyleNum | StyleRJust, 0, u"@99999");
  fields.AddEntry(9, u"Lot", 6, 11, 10);
  fields.AddEntry(10, u"Confirm", 8, 1, 1, StyleXmit);
}

std::shared_ptr<Page> AddPickingPage(Terminal& terminal) {
  auto page = AddPage(terminal, u"Picking");
  AddPickingFields(*page->Fields());
  return page;
}

}  // namespace carrowin::bench_support
