#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "carrowin/screen/field.h"
#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin {
namespace {

using namespace std::string_literals;
using testing_support::ExpectError;

// Field 5 of page 0 ("P") at row 2, column 3 (1 and 2 on the wire); an AIAG
// field gets the prefix "P" with flags 4 ("y541P").
class FieldDisplayTest : public testing_support::TerminalFixture {
 protected:
  std::shared_ptr<Field> Add(int32_t style, int32_t flags, int32_t size, std::u16string_view data,
                             std::u16string_view hidden = u"", std::u16string_view visible = u"") {
    return page->Fields()->Add(5, u"F", 2, 3, style, flags, size, data, hidden, visible);
  }
  // Puts page "P" on the terminal (or takes it off), the terminal showing
  // page number `current`, and forgets the commands so far.
  void ShowPage(bool onTerminal, int32_t current = 0) {
    terminal->SetSelectedPage(onTerminal ? u"P" : u"Q");
    terminal->SetCurrentPageNumber(current);
    Commands();
  }

  std::shared_ptr<Page> page = terminal->Pages()->Add(u"P");
};

void MakeAIAG(Field& field) { field.AIAG(true, true, true, false, false, u"P"); }

void AddEverything(Field& field) {
  field.SetExtControlStyle(FieldExtControlStylePushButton);
  field.SetForegroundColor(Green);
  field.SetBackgroundColor(Blue);
  field.SetExtendedVideoAttributes(ExVideoAttribBold | ExVideoAttribReverse);
  field.SetExtendedAttributes(ExtendedAttributesSerial);
  MakeAIAG(field);
}

TEST_F(FieldDisplayTest, DisplayDrawsTheFieldInOrder) {
  const std::function<void(Field&)> nothing = [](Field&) {};
  const std::function<void(Field&)> bits = [](Field& f) { f.SetExtendedAttributes(0x41); };
  const struct {
    const char* name;
    int32_t style, flags, size;
    std::u16string_view data, hidden, visible;
    std::function<void(Field&)> prepare;
    std::string expected;
  } cases[] = {
      {"compact text", StyleFixed, 0, 3, u"abc", u"", u"", nothing, "f5123abc"},
      {"compact text with bits", StyleFixed, 0, 3, u"abc", u"", u"", bits, "f5123abcb5A"},
      {"text wider than its data", StyleFixed, 0, 5, u"abc", u"", u"", nothing,
       "i512\x01\x00"
       "5u53abc"s},
      {"text with flags", StyleFixed, FlagsBold, 3, u"abc", u"", u"", nothing, "i512\x01 3u53abc"},
      {"empty text", StyleFixed, 0, 0, u"", u"", u"", nothing,
       "i512\x01\x00"
       "0"s},
      {"empty entry", StyleEntry, 0, 10, u"", u"", u"", nothing, "i512\x03\x00:"s},
      {"visible match only", StyleEntry, 0, 10, u"", u"", u"A", nothing, "i512\x03\x00:v51A"s},
      {"everything", 0x100 | StyleEntry, 0, 10, u"ab", u"9@B1E", u"A", AddEverything,
       "i512\x03\x00:w559@B1Eg5SNg5B/g5C24g5V223y541Pu52abb5\x01"s},
      {"no style: data and bits only", StyleNone, 0, 10, u"ab", u"9@B1E", u"A", AddEverything,
       "i512\x00\x00:u52abb5\x01"s},
      {"transmit style: data and bits only", StyleXmit, 0, 10, u"ab", u"9", u"A", AddEverything,
       "i512\x04\x00:u52abb5\x01"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    page->Fields()->RemoveAll();
    ShowPage(false);
    const auto field = Add(c.style, c.flags, c.size, c.data, c.hidden, c.visible);
    c.prepare(*field);
    field->SetTouched(true);
    ShowPage(true);
    field->Display();
    EXPECT_EQ(Commands(), c.expected);
    EXPECT_EQ(field->Style(), c.style & 0xFF);
    EXPECT_FALSE(field->Touched());
  }
}

TEST_F(FieldDisplayTest, DataLetSendsTheDataAndWidensTheField) {
  const struct {
    const char* name;
    int32_t style, size;
    std::u16string_view data;
    bool aiag, onTerminal;
    int32_t current;
    std::u16string_view value;
    std::string expected;
    int32_t sizeAfter, displayLengthAfter;
  } cases[] = {
      {"text widens quietly", StyleFixed, 2, u"ab", false, true, 0, u"ＡＢ", "u52AB", 2, 4},
      {"text takes the new length", StyleFixed, 2, u"ab", false, true, 0, u"ＡＢＣ", "u53ABC", 3,
       6},
      {"entry redefined", StyleEntry, 2, u"", false, true, 0, u"ＡＢ",
       "e5i512\x03\x00"
       "4u52AB"s,
       2, 4},
      {"entry redefined, then the page selected", StyleEntry, 2, u"", false, true, 3, u"ＡＢ",
       "e5i512\x03\x00"
       "4s0u52AB"s,
       2, 4},
      {"no-echo field cleared", StyleEntry | StyleNoEcho, 4, u"ab", false, true, 0, u"", "c5", 4,
       4},
      {"entry emptied", StyleEntry, 4, u"ab", false, true, 0, u"", "u50", 4, 4},
      {"off the terminal", StyleEntry, 2, u"", false, false, 0, u"ＡＢ", "", 2, 2},
      {"AIAG before a change", StyleEntry, 4, u"ab", true, true, 0, u"cd", "y541Pu52cd", 4, 4},
      {"AIAG before and after emptying", StyleEntry, 4, u"ab", true, true, 0, u"", "y541Pu50y541P",
       4, 4},
      {"AIAG field filled", StyleEntry, 4, u"", true, true, 0, u"x", "u51x", 4, 4},
      {"AIAG field filled off the terminal", StyleEntry, 4, u"", true, false, 0, u"x", "", 4, 4},
      // The AIAG command selects the page, which thereby takes the data.
      {"AIAG emptied off the terminal", StyleEntry, 4, u"ab", true, false, 0, u"", "y541Pu50y541P",
       4, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    page->Fields()->RemoveAll();
    ShowPage(false);
    const auto field = Add(c.style, 0, c.size, c.data);
    if (c.aiag) MakeAIAG(*field);
    field->SetTouched(true);
    ShowPage(c.onTerminal, c.current);
    field->SetData(c.value);
    EXPECT_EQ(Commands(), c.expected);
    EXPECT_EQ(field->RawData(), c.value);
    EXPECT_EQ(field->Size(), c.sizeAfter);
    EXPECT_EQ(field->DisplayLength(), c.displayLengthAfter);
    EXPECT_FALSE(field->Touched());
  }
}

TEST_F(FieldDisplayTest, AFieldPastTheVirtualRowKeepsItsSize) {
  // Column 36 of 40: the definition must not shrink to the 4 columns left,
  // or every data let would erase and redefine the field.
  const auto field = page->Fields()->Add(5, u"F", 2, 37, StyleEntry, 0, 10, u"", u"", u"");
  ShowPage(true);
  field->Display();
  field->SetData(u"abcdefgh");
  EXPECT_EQ(Commands(), "i51T\x03\x00:u58abcdefgh"s);
  EXPECT_EQ(field->DisplayLength(), 10);
}

TEST_F(FieldDisplayTest, DataFromTheTerminalOnlyUpdatesTheModel) {
  for (const bool fromTerminal : {true, false}) {
    SCOPED_TRACE(fromTerminal);
    page->Fields()->RemoveAll();
    ShowPage(false);
    const auto field = Add(StyleEntry, 0, 2, u"ab");
    MakeAIAG(*field);
    ShowPage(true, 3);
    field->SetUpdatingFromTerminal(fromTerminal);
    field->SetData(u"ＡＢＣ");
    EXPECT_EQ(field->DisplayLength(), 6);
    EXPECT_EQ(Commands(), fromTerminal ? ""
                                       : "s0y541Pe5i512\x03\x00"
                                         "6u52AB"s);
    EXPECT_EQ(terminal->CurrentPageNumber(), fromTerminal ? 3 : 0);
    EXPECT_EQ(terminal->SelectedPage(), u"P");
  }
}

TEST_F(FieldDisplayTest, AIAGFlagsAndLimits) {
  const struct {
    bool displayPrefix, sendPrefix, transmit, overwrite, cursorPriority;
    int32_t flags;
  } cases[] = {
      {true, true, false, false, false, 0},  {false, true, false, false, false, 1},
      {true, false, false, false, false, 2}, {true, true, true, false, false, 4},
      {true, true, false, true, false, 8},   {true, true, false, false, true, 16},
      {false, false, true, true, true, 31},
  };
  const auto field = Add(StyleEntry, 0, 4, u"");
  ShowPage(true);
  for (const auto& c : cases) {
    field->AIAG(c.displayPrefix, c.sendPrefix, c.transmit, c.overwrite, c.cursorPriority, u"P");
    EXPECT_EQ(field->AIAGFlags(), c.flags);
    EXPECT_EQ(Commands(), "y5"s + static_cast<char>('0' + c.flags) + "1P");
  }
  EXPECT_TRUE(field->IsAIAG());
  EXPECT_EQ(field->AIAGPrefix(), u"P");

  // The number and the prefix length travel as one byte each.
  const std::u16string longest(207, u'x');
  field->AIAG(true, true, false, false, false, longest);
  EXPECT_EQ(Commands(), "y50\xFF" + std::string(207, 'x'));
  const auto tooLong = [&] { field->AIAG(true, true, false, false, false, longest + u"x"); };
  const auto fieldTooHigh = page->Fields()->Add(208, u"G", 1, 1, StyleEntry, 0, 4, u"", u"", u"");
  const auto numberTooHigh = [&] { fieldTooHigh->AIAG(true, true, false, false, false, u"P"); };
  for (const std::function<void()>& call :
       {std::function<void()>(tooLong), std::function<void()>(numberTooHigh)}) {
    ExpectError(call, errors::kOverflow, u"The AIAG field number or prefix is too large");
    EXPECT_EQ(Commands(), "");
  }
}

TEST_F(FieldDisplayTest, DataGetAppliesTheFormat) {
  const auto field = Add(StyleEntry, 0, 10, u"1234.5");
  for (const auto& [format, expected] :
       {std::pair{u"#,##0.00", u"1,234.50"}, std::pair{u"", u"1234.5"}}) {
    field->SetDataFormat(format);
    EXPECT_EQ(field->Data(), expected);
    EXPECT_EQ(field->RawData(), u"1234.5");
  }
}

TEST_F(FieldDisplayTest, ClearFieldReachesWhicheverPageTheTerminalShows) {
  const auto field = Add(StyleEntry, 0, 10, u"ab");
  field->SetTouched(true);
  ShowPage(false, 3);
  field->ClearField();
  EXPECT_EQ(Commands(), "c5");
  EXPECT_EQ(terminal->CurrentPageNumber(), 3);
  EXPECT_EQ(field->RawData(), u"ab");
  EXPECT_FALSE(field->Touched());
}

}  // namespace
}  // namespace carrowin
