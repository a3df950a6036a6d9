// The library's own commands, as a real Terminal writes them, decoded by the
// virtual terminal to the state the library meant.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "carrowin/sim/sim_terminal.h"
#include "support/terminal_fixture.h"

namespace carrowin {
namespace {

using namespace std::string_literals;

class SimLibraryCommands : public testing_support::TerminalFixture {
 protected:
  SimLibraryCommands() {
    page = terminal->Pages()->Add(u"Pick");
    page->SetPageNumber(3);
    Fields& fields = *page->Fields();
    fields.AddText(1, u"Title", 1, 1, u"Pick list");
    fields.AddEntry(2, u"Item", 2, 1, 8, 0, 0, u"", u"A9")->SetData(u"ABCDEFGHIJKL");
    const auto qty = fields.Add(3, u"Qty", 3, 1, StyleEntry | StyleNum | StyleXmit,
                                FlagsBarcode | FlagsAutoTab, 4, u"12", u"", u"");
    qty->SetBufferSize(10);
    qty->SetForegroundColor(Red);
    qty->SetBackgroundColor(White);
    qty->SetExtendedVideoAttributes(ExVideoAttribBold | ExVideoAttribUnderline);
    qty->SetExtendedAttributes(ExtendedAttributesBase | ExtendedAttributesSerial);
    qty->AIAG(true, false, true, false, false, u"Q");
    const auto ok = fields.AddEntry(4, u"Ok", 5, 1, 4);
    ok->SetLocalProcedureIndex(2);
    ok->SetExtControlStyle(FieldExtControlStylePushButton);
    // Enough filled fields that the page takes more than one message.
    for (int32_t number = 10; number < 40; ++number) {
      const std::u16string name = u"F" + FromUtf8(std::to_string(number));
      fields.AddEntry(number, name, number % 10 + 6, number / 10 * 10 - 9, 9)
          ->SetData(name + u" data");
    }
  }

  /// Sends what the library wrote and hands every message to the virtual
  /// terminal; a protocol error stays in its state for the caller to check.
  void Deliver() {
    terminal->Drel()->SendData();
    for (const std::string& message : TakeMessages()) {
      try {
        sim->Receive(std::vector<uint8_t>(message.begin(), message.end()));
      } catch (const Error& error) {
        if (error.Number() != sim_errors::kProtocolError) throw;
      }
    }
  }

  std::shared_ptr<SimTerminal> sim = SimTerminal::Create({.terminalNumber = kTerminal});
  std::shared_ptr<Page> page;
};

TEST_F(SimLibraryCommands, ADisplayedPageArrivesAsItsModel) {
  page->Display(u"Item");
  terminal->Drel()->SendData();
  const std::vector<std::string> messages = TakeMessages();
  EXPECT_GT(messages.size(), 1u);
  for (const std::string& message : messages) {
    sim->Receive(std::vector<uint8_t>(message.begin(), message.end()));
  }
  const SimState state = sim->State();
  EXPECT_TRUE(state.protocolErrors.empty());
  EXPECT_EQ(std::vector({state.selectedPage, state.displayedPage, *state.openField}),
            std::vector({3, 3, 2}));
  EXPECT_FALSE(state.keyboardLocked);
  // Every field of the page as the page's model says it was sent.
  const SimPage& shown = state.pages.at(page->PageNumber());
  EXPECT_EQ(shown.fields.size(), static_cast<size_t>(page->Fields()->Count()));
  for (const auto& field : *page->Fields()) {
    SCOPED_TRACE(ToUtf8(field->Name()));
    const SimField* sent = shown.Find(field->Number());
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(
        std::vector({sent->row, sent->column, sent->style, sent->flags}),
        std::vector({field->Row(), field->Column(), field->Style() & 0xFF, field->Flags() & 0xFF}));
    // Through code page 0 the data is cut to the field's buffer size.
    EXPECT_EQ(sent->data, field->RawData().substr(0, static_cast<size_t>(sent->Capacity())));
    EXPECT_EQ(sent->visiblePattern, field->VisibleMatch());
    const bool plainText = field->Style() == StyleFixed && field->Flags() == 0;
    EXPECT_EQ(sent->displayLength,
              plainText ? static_cast<int32_t>(field->RawData().size()) : field->DisplayLength());
    EXPECT_EQ(sent->Capacity(), std::max(field->BufferSize(), sent->displayLength));
    EXPECT_EQ(std::vector({sent->foreground, sent->background, sent->video}),
              std::vector({field->ForegroundColor(), field->BackgroundColor(),
                           field->ExtendedVideoAttributes()}));
    EXPECT_EQ(sent->pushButton, field->ExtControlStyle() != 0);
    EXPECT_EQ(sent->procedure, sent->pushButton ? field->LocalProcedureIndex() : -1);
    EXPECT_EQ(sent->attributeBits & ExtendedAttributesAllMask,
              field->ExtendedAttributes() & ExtendedAttributesAllMask);
    EXPECT_EQ(std::tuple(sent->aiag, sent->aiagFlags, sent->aiagPrefix),
              std::tuple(field->IsAIAG(), field->AIAGFlags(), field->AIAGPrefix()));
  }
}

// One row per command family: the library writes it through its public API
// to a fresh terminal showing the page, whose state must then be what the
// library meant.
TEST_F(SimLibraryCommands, EveryCommandFamilyArrivesAsTheLibraryMeantIt) {
  Drel& drel = *terminal->Drel();
  const auto item = page->Fields()->Item(Variant(u"Item"));
  const auto qty = page->Fields()->Item(Variant(u"Qty"));
  const auto done = terminal->Pages()->Add(u"Done");
  done->SetPageNumber(5);
  done->Fields()->AddText(1, u"Bye", 1, 1, u"Done");
  const std::u16string report = u"Shelf 4 counted, 3 short; recount before noon";
  int32_t style = StyleEntry, flags = FlagsAutoTab;
  using S = const SimState&;
  const auto at = [](S s, int32_t number) { return s.pages.at(3).fields.at(number); };
  const std::vector<std::tuple<const char*, std::function<void()>, std::function<bool(S)>>> rows = {
      {"select and display page", [&] { done->Display(u""); },
       [&](S s) {
         return std::tuple(s.selectedPage, s.displayedPage, s.openField,
                           s.pages.at(5).fields.size(),
                           at(s, 2).data) == std::tuple(5, 5, -1, size_t{1}, u"ABCDEFGH"s);
       }},
      {"erase all", [&] { drel.EraseAll(); },
       [](S s) { return s.pages.at(3).fields.empty() && !s.openField; }},
      {"erase field", [&] { drel.EraseField(2); },
       [](S s) { return !s.pages.at(3).fields.contains(2) && !s.openField; }},
      {"fixed field", [&] { drel.FixedField(50, 0, 20, u"Zone B"); },
       [&](S s) { return at(s, 50).data == u"Zone B" && at(s, 50).displayLength == 6; }},
      {"init field", [&] { drel.InitField(51, 1, 20, style, flags, 6); },
       [&](S s) {
         return std::tuple(at(s, 51).style, at(s, 51).flags, at(s, 51).Capacity()) ==
                std::tuple(StyleEntry, int32_t{FlagsAutoTab}, 6);
       }},
      {"update data", [&] { item->SetData(u"XY12"); },
       [&](S s) { return at(s, 2).data == u"XY12"; }},
      {"clear field", [&] { item->ClearField(); }, [&](S s) { return at(s, 2).data.empty(); }},
      {"clear all", [&] { page->ClearAll(); },
       [](S s) {
         return std::ranges::all_of(s.pages.at(3).fields, [](const auto& f) {
           return f.second.data.empty() == f.second.IsEntry();
         });
       }},
      {"set style and flags", [&] { qty->SetFlags(FlagsBarcode); },
       [&](S s) { return at(s, 3).style == qty->Style() && at(s, 3).flags == qty->Flags(); }},
      {"visible match", [&] { item->SetVisibleMatch(u"99"); },
       [&](S s) { return at(s, 2).visiblePattern == u"99"; }},
      {"hidden match", [&] { qty->SetHiddenPattern(u"N"); },
       [&](S s) { return at(s, 3).hiddenPattern == u"N"; }},
      {"attribute bits", [&] { qty->SetExtendedAttributes(ExtendedAttributesBase); },
       [&](S s) { return at(s, 3).attributeBits == ExtendedAttributesBase; }},
      {"open field", [&] { page->StartEntry(u"Qty"); },
       [](S s) { return s.openField == 3 && !s.keyboardLocked; }},
      {"move cursor", [&] { drel.MoveCursor(4); },
       [](S s) { return s.openField == 4 && s.keyboardLocked; }},
      {"advisory", [&] { page->StartEntryAdv(u"Qty", u"Count them"); },
       [](S s) { return s.advisory == u"Count them" && s.openField == 3 && !s.keyboardLocked; }},
      {"advisory without opening", [&] { drel.AdvisoryNoOpen(u"Wait"); },
       [](S s) { return s.advisory == u"Wait" && s.openField == 2 && s.keyboardLocked; }},
      {"hey-you", [&] { page->StartHeyYou(5, u"Lot?"); },
       [](S s) { return s.heyYou == u"Lot?" && s.heyYouResponseSize == 5 && !s.keyboardLocked; }},
      {"milestones",
       [&] {
         drel.Milestone(u"M01");
         drel.MilestoneAndOpen(u"M02");
         drel.AckMilestone(u"M01");
       },
       [](S s) {
         return s.milestones == std::vector<std::u16string>{u"M01", u"M02"} &&
                s.acknowledgedMilestone == u"M01" && !s.keyboardLocked;
       }},
      {"soft key", [&] { drel.SoftKey(2, u"Next"); },
       [](S s) {
         return s.softKeys == std::map<int32_t, std::u16string>{{2, u"Next"}};
       }},
      {"wake", [&] { drel.Wake(3); }, [](S s) { return s.wakeKey == 3; }},
      {"lock keyboard",
       [&] {
         page->StartEntry(u"Item");
         drel.LockKeyboard();
       },
       [](S s) { return s.openField == 2 && s.keyboardLocked; }},
      {"bell before an open field",
       [&] {
         terminal->SetErrorBellTone(true);
         page->StartEntry(u"Qty");
       },
       [](S s) { return s.bells == 1 && s.openField == 3; }},
      {"buffer size", [&] { qty->SetBufferSize(20); },
       [&](S s) { return at(s, 3).Capacity() == 20; }},
      {"push button", [&] { item->SetExtControlStyle(FieldExtControlStylePushButton); },
       [&](S s) {
         return at(s, 2).pushButton && at(s, 2).procedure == item->LocalProcedureIndex();
       }},
      // The background stays as the field had it.
      {"colours", [&] { qty->SetForegroundColor(Green); },
       [&](S s) { return at(s, 3).foreground == Green && at(s, 3).background == White; }},
      {"extended video",
       [&] { item->SetExtendedVideoAttributes(ExVideoAttribBlink | ExVideoAttribRaisedOutline); },
       [&](S s) { return at(s, 2).video == (ExVideoAttribBlink | ExVideoAttribRaisedOutline); }},
      // Kept by the terminal, the procedure runs when its button is pressed.
      {"local procedure",
       [&] {
         GrowingCircBuffer list;
         drel.ClearFieldGetDrel(list, 3);
         drel.SetColorGetDrel(list, 3, Yellow, Black);
         drel.OpenFieldGetDrel(list, 3);
         drel.LocalProcedureSend(2, list);
         page->StartEntry(u"Item");
         Deliver();
         sim->PressButton(4);
       },
       [&](S s) {
         return std::tuple(at(s, 3).data, at(s, 3).foreground, at(s, 3).background, s.openField) ==
                std::tuple(u""s, int32_t{Yellow}, int32_t{Black}, std::optional(3));
       }},
      {"AIAG field", [&] { item->AIAG(false, true, true, false, true, u"P"); },
       [&](S s) {
         return at(s, 2).aiag && at(s, 2).aiagFlags == 1 + 4 + 16 && at(s, 2).aiagPrefix == u"P";
       }},
      {"user sound", [&] { terminal->UserSound(3); },
       [](S s) { return s.sounds == std::vector({3}); }},
      // Iterations, duty (12.5 to the even 12) and period.
      {"vibrate", [&] { terminal->Vibrate(1, 7, 2); },
       [](S s) {
         return s.vibrations.size() == 1 &&
                std::tuple(s.vibrations[0].first, s.vibrations[0].second, s.vibrations[0].third) ==
                    std::tuple(2, 12, 8);
       }},
      {"scanner", [&] { terminal->ScannerEnable(Variant(false)); },
       [](S s) { return !s.scannerEnabled; }},
      {"printer pass-through packets", [&] { drel.PrinterPortPass(1, 2, report); },
       [&](S s) {
         return s.printerPackets.size() == 2 && s.printerPackets[1].port == 1 &&
                s.printerPackets[1].format == 2 &&
                s.printerPackets[0].text + s.printerPackets[1].text == report;
       }},
      {"print", [&] { drel.DrelPrint(3, 5, -1); },
       [](S s) {
         return s.printJobs.size() == 1 && s.printJobs[0].lines == 5 &&
                s.printJobs[0].blankLines == -1;
       }},
      {"attach", [&] { drel.AttachTerminal(); }, [](S s) { return s.attached && s.attaches == 1; }},
      {"detach", [&] { drel.DetachTerminal(); }, [](S s) { return s.detaches == 1; }},
      {"abort", [&] { terminal->Abort(); },
       [](S s) { return s.aborts == 1 && s.pages.empty() && !s.openField; }},
      {"status request", [&] { drel.RequestTerminalRStatus(kTerminal); },
       [](S s) { return s.statusRequests == 1; }},
  };
  for (const auto& [family, write, check] : rows) {
    sim = SimTerminal::Create({.terminalNumber = kTerminal});
    terminal->SetCurrentPageNumber(-1);
    // The terminal waits, as after a transmit: each row's own unlocking shows.
    page->Display(u"Item");
    drel.LockKeyboard();
    Deliver();
    write();
    Deliver();
    const SimState state = sim->State();
    EXPECT_TRUE(state.protocolErrors.empty() && check(state)) << family << "\n" << sim->Snapshot();
  }
}

}  // namespace
}  // namespace carrowin
