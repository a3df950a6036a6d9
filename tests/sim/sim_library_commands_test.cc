// The library's own commands, as a real Terminal writes them, decoded by the
// virtual terminal to the state the library meant.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "carrowin/sim/sim_terminal.h"
#include "support/terminal_fixture.h"

namespace carrowin {
namespace {

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

}  // namespace
}  // namespace carrowin
