// The application as users write theirs: pages of fields built once, and
// handlers that answer what the operator did on them.
#include "warehouse_app.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace carrowin::demo {

namespace {

constexpr int32_t kHelpKey = 1;
constexpr int32_t kBackKey = 2;
constexpr int32_t kLabelPrinterPort = 1;

// Scanned or typed, ended by Enter.
constexpr int32_t kScanEntry = StyleEntry | StyleXmit;

const std::vector<PickLine> kPickList = {
    {u"A-01-3", u"4006381", 3},
    {u"C-12-1", u"7501031", 1},
};

std::u16string Text(size_t number) { return FromUtf8(std::to_string(number)); }

// Appends piece by piece: gcc's optimiser warns falsely about literal + string.
std::u16string Join(std::initializer_list<std::u16string_view> parts) {
  std::u16string text;
  for (const std::u16string_view part : parts) text += part;
  return text;
}

std::u16string Data(const Page& page, std::u16string_view field) {
  return page.Fields()->Item(Variant(std::u16string(field)))->Data();
}

// A line of text the application fills in as it goes, up to `width` characters.
void AddOutput(Fields& fields, int32_t number, std::u16string_view name, int32_t row,
               int32_t column, int32_t width) {
  fields.Add(number, name, row, column, StyleFixed, FlagsNone, width, u"", u"", u"");
}

void Show(const Page& page, std::u16string_view field, std::u16string_view text) {
  page.Fields()->Item(Variant(std::u16string(field)))->SetData(text);
}

}  // namespace

WarehouseApp::WarehouseApp(std::shared_ptr<Terminal> terminal) : terminal_(std::move(terminal)) {
  BuildSignOn();
  BuildMenu();
  BuildPicking();
  terminal_->evtInitialized.Connect([this] { signOn_->Display(u"User"); });
}

void WarehouseApp::BuildSignOn() {
  signOn_ = terminal_->Pages()->Add(u"SignOn");
  Fields& fields = *signOn_->Fields();
  fields.AddText(1, u"Title", 1, 1, u"Warehouse sign on");
  fields.AddText(2, u"UserLabel", 3, 1, u"User:");
  fields.AddEntry(3, u"User", 3, 7, 8, kScanEntry);
  fields.AddText(4, u"Keys", 16, 1, u"F1 help");
  signOn_->evtTransmitOnEntry.Connect([this](std::u16string&) {
    user_ = Data(*signOn_, u"User");
    if (user_.empty()) return Refuse(*signOn_, u"User", u"Who are you?");
    Show(*menu_, u"Hello", Join({u"Hello ", user_}));
    menu_->Display(u"Choice");
  });
  signOn_->evtFunctionKey.Connect([this](int32_t& key, std::u16string&) {
    if (key == kHelpKey) return signOn_->StartEntryAdv(u"User", u"Type your name, Enter");
    // The key locked the keyboard: any other hands it back.
    signOn_->StartEntry(u"User");
  });
}

void WarehouseApp::BuildMenu() {
  menu_ = terminal_->Pages()->Add(u"Menu");
  Fields& fields = *menu_->Fields();
  AddOutput(fields, 1, u"Hello", 1, 1, 20);
  fields.AddText(2, u"Pick", 3, 3, u"1 Picking");
  fields.AddText(3, u"SignOff", 4, 3, u"2 Sign off");
  fields.AddText(4, u"ChoiceLabel", 6, 1, u"Choice:");
  fields.AddEntry(5, u"Choice", 6, 9, 1, kScanEntry | StyleNum);
  fields.AddText(6, u"Keys", 16, 1, u"F1 help  F2 back");
  const auto signOff = [this] {
    Show(*signOn_, u"User", u"");
    signOn_->Display(u"User");
  };
  menu_->evtTransmitOnEntry.Connect([this, signOff](std::u16string&) {
    const std::u16string choice = Data(*menu_, u"Choice");
    Show(*menu_, u"Choice", u"");
    if (choice == u"1") {
      line_ = 0;
      return StartPick();
    }
    if (choice == u"2") return signOff();
    Refuse(*menu_, u"Choice", u"Choose 1 or 2");
  });
  menu_->evtFunctionKey.Connect([this, signOff](int32_t& key, std::u16string&) {
    if (key == kHelpKey) return menu_->StartEntryAdv(u"Choice", u"1 picks an order");
    if (key == kBackKey) return signOff();
    menu_->StartEntry(u"Choice");
  });
}

void WarehouseApp::BuildPicking() {
  picking_ = terminal_->Pages()->Add(u"Picking");
  Fields& fields = *picking_->Fields();
  AddOutput(fields, 1, u"Title", 1, 1, 20);
  fields.AddText(2, u"GoTo", 3, 1, u"Go to");
  AddOutput(fields, 3, u"Where", 3, 9, 8);
  fields.AddText(4, u"LocationLabel", 4, 1, u"Scan");
  fields.AddEntry(5, u"Location", 4, 9, 8, kScanEntry, FlagsBarcode);
  fields.AddText(6, u"TakeLabel", 6, 1, u"Take");
  AddOutput(fields, 7, u"What", 6, 9, 16);
  fields.AddText(8, u"ItemLabel", 7, 1, u"Scan");
  fields.AddEntry(9, u"Item", 7, 9, 8, kScanEntry, FlagsBarcode);
  fields.AddText(10, u"QtyLabel", 9, 1, u"Qty");
  fields.AddEntry(11, u"Qty", 9, 9, 3, kScanEntry | StyleNum);
  fields.AddText(12, u"Keys", 16, 1, u"F1 help  F2 back");
  picking_->evtTransmitOnEntry.Connect([this](std::u16string& field) {
    const PickLine& line = kPickList[line_];
    if (field == u"Location") return CheckScan(u"Location", line.location, u"Item");
    if (field == u"Item") return CheckScan(u"Item", line.item, u"Qty");
    ConfirmQuantity();
  });
  picking_->evtHeyYou.Connect([this](std::u16string& answer) { FinishPick(answer); });
  picking_->evtFunctionKey.Connect([this](int32_t& key, std::u16string& field) {
    if (key == kHelpKey) return picking_->StartEntryAdv(field, u"Scan the shelf, then the item");
    if (key == kBackKey) return menu_->Display(u"Choice");
    picking_->StartEntry(field);
  });
}

void WarehouseApp::StartPick() {
  const PickLine& line = kPickList[line_];
  Show(*picking_, u"Title", Join({u"Pick ", Text(line_ + 1), u" of ", Text(kPickList.size())}));
  Show(*picking_, u"Where", line.location);
  Show(*picking_, u"What", Join({Text(line.quantity), u" x ", line.item}));
  for (const std::u16string_view field : {u"Location", u"Item", u"Qty"})
    Show(*picking_, field, u"");
  picking_->Display(u"Location");
}

void WarehouseApp::CheckScan(std::u16string_view field, std::u16string_view expected,
                             std::u16string_view next) {
  if (Data(*picking_, field) != expected) {
    Show(*picking_, field, u"");
    return Refuse(*picking_, field, Join({u"Wrong ", field, u", scan ", expected}));
  }
  picking_->StartEntry(next);
}

void WarehouseApp::ConfirmQuantity() {
  const PickLine& line = kPickList[line_];
  const std::u16string quantity = Data(*picking_, u"Qty");
  if (quantity.empty()) return Refuse(*picking_, u"Qty", u"How many?");
  picking_->StartHeyYou(1, Join({u"Took ", quantity, u" of ", Text(line.quantity), u"? Y/N"}));
}

void WarehouseApp::FinishPick(std::u16string_view answer) {
  if (answer != u"Y" && answer != u"y") {
    Show(*picking_, u"Qty", u"");
    return picking_->StartEntry(u"Qty");
  }
  const PickLine& line = kPickList[line_];
  terminal_->Drel()->PrinterPortPass(
      kLabelPrinterPort, 0,
      Join({u"ITEM ", line.item, u" QTY ", Data(*picking_, u"Qty"), u" BY ", user_, u"\r\n"}));
  if (++line_ < kPickList.size()) return StartPick();
  menu_->Display(u"Choice");
  menu_->StartEntryAdv(u"Choice", u"Order picked");
}

void WarehouseApp::Refuse(Page& page, std::u16string_view field, std::u16string_view message) {
  terminal_->Vibrate(2, 1, 2);
  terminal_->Bell();
  page.StartEntryAdv(field, message);
}

}  // namespace carrowin::demo
