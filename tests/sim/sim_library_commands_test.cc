// The library's own commands, as a real Terminal writes them, decoded by the
// virtual terminal to the state the library meant.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "carrowin/sim/sim_terminal.h"
#include "support/terminal_fixture.h"
#include "support/vector_circ_buffer.h"

namespace carrowin {
namespace {

class SimLibraryCommands : public testing_support::TerminalFixture {
 protected:
  SimLibraryCommands() {
    page = terminal->Pages()->Add(u"Pick");
    page->SetPageNumber(3);
    Fields& fields = *page->Fields();
    fields.AddText(1, u"Title", 1, 1, u"Pick list");
    fields.AddEntry(2, u"Item", 2, 1, 8, 0, 0, u"", u"A9");
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
  }

  /// Sends what the encoder holds and hands every message sent to the
  /// virtual terminal.
  void Deliver() {
    terminal->Drel()->SendData();
    for (const std::string& message : TakeMessages()) {
      sim->Receive(std::vector<uint8_t>(message.begin(), message.end()));
    }
  }

  /// Expects the virtual terminal's copy of every field of the page to be
  /// what the page's model says was sent.
  void ExpectFieldsAsModelled() {
    const SimState state = sim->State();
    const SimPage& shown = state.pages.at(page->PageNumber());
    for (const auto& field : *page->Fields()) {
      SCOPED_TRACE(ToUtf8(field->Name()));
      const SimField* sent = shown.Find(field->Number());
      ASSERT_NE(sent, nullptr);
      EXPECT_EQ(std::vector({sent->row, sent->column, sent->style, sent->flags}),
                std::vector(
                    {field->Row(), field->Column(), field->Style() & 0xFF, field->Flags() & 0xFF}));
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
    EXPECT_EQ(shown.fields.size(), static_cast<size_t>(page->Fields()->Count()));
  }

  std::shared_ptr<SimTerminal> sim = SimTerminal::Create({.terminalNumber = kTerminal});
  std::shared_ptr<Page> page;
};

TEST_F(SimLibraryCommands, ADisplayedPageArrivesAsItsModel) {
  page->Display(u"Item");
  Deliver();
  ExpectFieldsAsModelled();
  const SimState state = sim->State();
  EXPECT_EQ(std::vector({state.selectedPage, state.displayedPage, *state.openField}),
            std::vector({3, 3, 2}));
  EXPECT_FALSE(state.keyboardLocked);
  EXPECT_TRUE(state.protocolErrors.empty());
}

TEST_F(SimLibraryCommands, APageLongerThanAMessageArrivesWhole) {
  page = terminal->Pages()->Add(u"Long");
  page->SetPageNumber(4);
  for (int32_t number = 0; number < 32; ++number) {
    page->Fields()
        ->AddEntry(number, u"F" + FromUtf8(std::to_string(number)), number % 16 + 1,
                   number / 16 * 20 + 1, 18)
        ->SetData(u"data of field " + FromUtf8(std::to_string(number)));
  }
  page->Display(u"F0");
  terminal->Drel()->SendData();
  const std::vector<std::string> messages = TakeMessages();
  EXPECT_GT(messages.size(), 2u);
  for (const std::string& message : messages) {
    sim->Receive(std::vector<uint8_t>(message.begin(), message.end()));
  }
  ExpectFieldsAsModelled();
  EXPECT_EQ(sim->State().displayedPage, 4);
}

struct ChangeCase {
  const char* name;
  std::function<void(Page&)> change;
  std::function<void(const SimState&, Page&)> expect;
};

TEST_F(SimLibraryCommands, ChangesOnTheTerminalArriveAsTheModelHasThem) {
  const std::vector<ChangeCase> cases = {
      {"data", [](Page& p) { p.Fields()->Item(Variant(u"Qty"))->SetData(u"34"); }, nullptr},
      {"data wider than the field",
       [](Page& p) { p.Fields()->Item(Variant(u"Item"))->SetData(u"ABCDEFGHIJKL"); }, nullptr},
      {"style and flags",
       [](Page& p) {
         const auto item = p.Fields()->Item(Variant(u"Item"));
         item->SetStyle(StyleEntry | StyleNoEcho);
         item->SetFlags(FlagsBlink);
       },
       nullptr},
      {"colours and video",
       [](Page& p) {
         const auto qty = p.Fields()->Item(Variant(u"Qty"));
         qty->SetForegroundColor(Green);
         qty->SetExtendedVideoAttributes(ExVideoAttribReverse);
       },
       nullptr},
      {"advisory on an entry field", [](Page& p) { p.StartEntryAdv(u"Qty", u"Scan please"); },
       [](const SimState& s, Page& p) {
         EXPECT_EQ(s.advisory, p.RecentStartEntryMsg());
         EXPECT_EQ(s.openField, p.Fields()->Item(Variant(u"Qty"))->Number());
       }},
      {"hey-you", [](Page& p) { p.StartHeyYou(5, u"How many?"); },
       [](const SimState& s, Page&) {
         EXPECT_EQ(s.heyYou, u"How many?");
         EXPECT_EQ(s.heyYouResponseSize, 5);
       }},
      {"clear all", [](Page& p) { p.ClearAll(); },
       [](const SimState& s, Page& p) {
         for (const auto& [number, field] : s.pages.at(p.PageNumber()).fields) {
           EXPECT_EQ(field.data.empty(), field.IsEntry());
         }
       }},
  };
  page->Display(u"Item");
  Deliver();
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.change(*page);
    Deliver();
    if (c.expect) {
      c.expect(sim->State(), *page);
    } else {
      ExpectFieldsAsModelled();
    }
    EXPECT_TRUE(sim->State().protocolErrors.empty());
  }
}

TEST_F(SimLibraryCommands, PromptPrinterAndDeviceCommandsArrive) {
  Drel& drel = *terminal->Drel();
  drel.Bell();
  drel.Wake(3);
  drel.Milestone(u"M1");
  drel.MilestoneAndOpen(u"M2");
  drel.AckMilestone(u"M1");
  drel.SoftKey(1, u"Next");
  drel.LockKeyboard();
  drel.DrelPrint(0, 5, 1);
  const std::u16string report(70, u'r');
  drel.PrinterPortPass(1, 2, report);
  terminal->UserSound(2);
  terminal->Vibrate(100, 100, 3);
  terminal->ScannerEnable(Variant(false));
  testing_support::VectorCircBuffer list;
  drel.ClearFieldGetDrel(list, 3);
  drel.SetColorGetDrel(list, 3, 1, 0);
  drel.OpenFieldGetDrel(list, 3);
  drel.LocalProcedureSend(2, list);
  Deliver();

  const SimState state = sim->State();
  EXPECT_EQ(std::vector({state.bells, state.wakeKey}), std::vector({1, 3}));
  EXPECT_EQ(state.milestones, std::vector<std::u16string>({u"M1", u"M2"}));
  EXPECT_EQ(state.acknowledgedMilestone, u"M1");
  EXPECT_EQ(state.softKeys.at(1), u"Next");
  EXPECT_TRUE(state.keyboardLocked);
  ASSERT_EQ(state.printJobs.size(), 1u);
  EXPECT_EQ(std::vector({state.printJobs[0].lines, state.printJobs[0].blankLines}),
            std::vector({5, 1}));
  std::u16string printed;
  for (const SimPrinterPacket& packet : state.printerPackets) {
    EXPECT_EQ(std::vector({packet.port, packet.format}), std::vector({1, 2}));
    printed += packet.text;
  }
  EXPECT_EQ(printed, report);
  EXPECT_EQ(state.printerPackets.size(), 3u);
  EXPECT_EQ(state.sounds, std::vector<int32_t>({2}));
  ASSERT_EQ(state.vibrations.size(), 1u);
  // Model 1, version 70: iterations, duty in percent, period.
  EXPECT_EQ(std::vector(
                {state.vibrations[0].first, state.vibrations[0].second, state.vibrations[0].third}),
            std::vector({3, 50, 200}));
  EXPECT_FALSE(state.scannerEnabled);
  const std::vector<uint8_t>& procedure = state.procedures.at(2);
  EXPECT_EQ(std::string(procedure.begin(), procedure.end()), "c3g3C10o3");
  EXPECT_TRUE(state.protocolErrors.empty());
}

}  // namespace
}  // namespace carrowin
