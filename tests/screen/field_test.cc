#include "carrowin/screen/field.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin::testing_support {
namespace {

using namespace std::string_literals;

// Field 5 of page 0 ("P") at row 2, column 3 (1 and 2 on the wire), made
// while the page is off the terminal. An AIAG field has prefix "P", flags 4.
class FieldTest : public TerminalFixture {
 protected:
  std::shared_ptr<Field> Add(int32_t style, int32_t size, std::u16string_view data,
                             std::u16string_view hidden = u"", std::u16string_view visible = u"",
                             int32_t column = 3) {
    page->Fields()->RemoveAll();
    Show(false);
    return page->Fields()->Add(5, u"F", 2, column, style, 0, size, data, hidden, visible);
  }
  // Puts page "P" on the terminal or off it, the terminal showing `current`.
  void Show(bool onTerminal, int32_t current = 0) {
    terminal->SetSelectedPage(onTerminal ? u"P" : u"");
    terminal->SetCurrentPageNumber(current);
    Commands();
  }

  std::shared_ptr<Page> page = terminal->Pages()->Add(u"P");
};

void MakeAIAG(Field& field) { field.AIAG(true, true, true, false, false, u"P"); }

TEST_F(FieldTest, InitializeReadsTheBufferSizeAndTheDisplayLength) {
  const struct {
    std::u16string_view hidden, data;
    int32_t size, column, bufferSize, displayLength, error;
  } cases[] = {
      {u"@B50@xyz", u"", 4, 3, 80, 4, 0},   {u"@B", u"", 4, 3, 0, 0, 13},
      {u"@B1G", u"", 4, 3, 0, 0, 13},       {u"@BFFFFFFFF", u"", 4, 3, 0, 0, 6},
      {u"@B100000000", u"", 4, 3, 0, 0, 6}, {u"", u"ＡＢ", 2, 3, 2, 4, 0},
      {u"", u"ＡＢＣ", 2, 37, 2, 4, 0},     {u"@B10", u"ＡＢ", 2, 3, 16, 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.hidden) + " " + ToUtf8(c.data));
    std::shared_ptr<Field> field;
    const Error error =
        RaisedBy([&] { field = Add(StyleEntry, c.size, c.data, c.hidden, u"", c.column); });
    EXPECT_EQ(error.Number(), c.error);
    if (c.error == 13) {
      EXPECT_EQ(error.Description(),
                u"The buffer size in the hidden pattern is not a hexadecimal number");
    }
    if (c.error != 0) continue;
    EXPECT_EQ(field->BufferSize(), c.bufferSize);
    EXPECT_EQ(field->DisplayLength(), c.displayLength);
  }
}

TEST_F(FieldTest, DisplayDrawsTheFieldInOrder) {
  const struct {
    int32_t style, size;
    std::u16string_view data, hidden, visible;
    bool extras;
    int32_t bits;
    std::string expected;
  } cases[] = {
      {1, 3, u"abc", u"", u"", false, 0x141, "f5123abcb5A"},
      {1, 5, u"abc", u"", u"", false, 0, "i512\x01\0005u53abc"s},
      {1, 0, u"", u"", u"", false, 0, "i512\x01\0000"s},
      {3, 10, u"", u"", u"A", false, 64, "i512\x03\x00:v51A"s},
      {0x103, 10, u"ab", u"9@B1E", u"A", true, 1,
       "i512\x03\x00:w559@B1Eg5SNg5B/g5C24g5V223y541Pu52abb5\x01"s},
      {StyleNone, 10, u"ab", u"9@B1E", u"A", true, 1, "i512\x00\x00:u52abb5\x01"s},
      {StyleXmit, 10, u"ab", u"9", u"A", true, 0, "i512\x04\x00:u52ab"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    const auto field = Add(c.style, c.size, c.data, c.hidden, c.visible);
    if (c.extras) {
      field->SetExtControlStyle(1);
      field->SetForegroundColor(Green);
      field->SetBackgroundColor(Blue);
      field->SetExtendedVideoAttributes(6);
      MakeAIAG(*field);
    }
    field->SetExtendedAttributes(c.bits);
    field->SetTouched(true);
    Show(true);
    field->Display();
    EXPECT_EQ(Commands(), c.expected);
    EXPECT_EQ(field->Style(), c.style & 0xFF);
    EXPECT_EQ(field->ExtendedAttributes(), c.bits & 0xFF);
    EXPECT_FALSE(field->Touched());
  }
}

TEST_F(FieldTest, PropertyLetsSendWhatTheTerminalVersionKnows) {
  const struct {
    std::function<void(Field&)> let;
    // Sent on the terminal, which shows page 3, at versions 70, 68 and 67; then off it.
    std::string v70, v68, v67, off;
  } cases[] = {
      {[](Field& f) { f.SetStyle(3); }, "s0+5\x03\x00"s, "s0+5\x03\x00"s, "s0+5\x03\x00"s, ""},
      {[](Field& f) { f.SetFlags(0); }, "", "", "", ""},
      {[](Field& f) { f.SetFlags(0x120); }, "s0+5\x03 ", "s0+5\x03 ", "s0+5\x03 ", ""},
      {[](Field& f) { f.SetVisibleMatch(u"A"); }, "v51A", "v51A", "v51A", "v51A"},
      {[](Field& f) { f.SetBufferSize(30); }, "s0g5SN", "s0g5SN", "", ""},
      {[](Field& f) {
         f.SetExtControlStyle(1);
         f.SetExtControlStyle(0);
       },
       "s0g5B/", "", "", ""},
  };
  for (const auto& c : cases) {
    for (const auto& [version, expected] :
         {std::pair{70, c.v70}, std::pair{68, c.v68}, std::pair{67, c.v67}, std::pair{0, c.off}}) {
      if (version != 0) SetParameters(version, 40);
      const auto field = Add(StyleEntry, 10, u"");
      Show(version != 0, 3);
      c.let(*field);
      EXPECT_EQ(Commands(), expected) << c.v70 << " at version " << version;
      if (!expected.empty()) {
        EXPECT_LT(field->Flags(), 0x100) << "a command keeps the low 8 bits it sent";
      }
    }
  }
}

TEST_F(FieldTest, AFieldAtTheRowEndIsRedefinedOnlyWhenItsLengthChanges) {
  // Column 37 of 40, 4 columns left. Each needless definition erases the field.
  const auto field = Add(StyleEntry, 10, u"", u"", u"", 37);
  Show(true);
  field->Display();             // shown up to the end of the row, holding its whole size
  field->SetData(u"abcdefgh");  // no wider than that: not drawn again
  EXPECT_EQ(Commands(), "i51T\x03\0004g5S:u58abcdefgh"s);
  const auto wide = Add(StyleEntry, 2, u"", u"", u"", 37);
  Show(true);
  wide->SetData(u"ＡＢＣ");  // widened to the end of the row, once
  wide->SetData(u"ＤＥＦ");
  EXPECT_EQ(Commands(), "e5i51T\x03\0004u52ABu52DE"s);
  EXPECT_EQ(wide->DisplayLength(), 4);
}

TEST_F(FieldTest, DataLetSendsTheDataAndWidensTheField) {
  const struct {
    int32_t style, size;
    std::u16string_view data;
    bool aiag, onTerminal, fromTerminal;
    int32_t current;
    std::u16string_view value;
    std::string expected;
    int32_t sizeAfter, displayLengthAfter;
  } cases[] = {
      {1, 2, u"ab", false, true, false, 0, u"ＡＢＣ", "u53ABC", 3, 6},  // text grows quietly
      {3, 2, u"", false, true, false, 3, u"ＡＢ", "e5i512\x03\0004s0u52AB"s, 2, 4},
      {11, 4, u"ab", false, true, false, 0, u"", "c5", 4, 4},  // no echo
      {3, 2, u"", false, false, false, 0, u"ＡＢ", "", 2, 2},
      {3, 4, u"ab", true, true, false, 0, u"cd", "y541Pu52cd", 4, 4},
      // The AIAG command selects the page, which thereby takes the data.
      {3, 4, u"ab", true, false, false, 0, u"", "y541Pu50y541P", 4, 4},
      // Data the terminal sent: the model follows, the terminal hears nothing.
      {3, 2, u"ab", true, true, true, 3, u"ＡＢＣ", "", 2, 6},
      {3, 2, u"ab", true, true, false, 3, u"ＡＢＣ", "s0y541Pe5i512\x03\0006u52AB"s, 2, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    const auto field = Add(c.style, c.size, c.data);
    if (c.aiag) MakeAIAG(*field);
    Show(c.onTerminal, c.current);
    field->SetUpdatingFromTerminal(c.fromTerminal);
    field->SetData(c.value);
    EXPECT_EQ(Commands(), c.expected);
    EXPECT_EQ(field->RawData(), c.value);
    EXPECT_EQ(field->Size(), c.sizeAfter);
    EXPECT_EQ(field->DisplayLength(), c.displayLengthAfter);
  }
}

TEST_F(FieldTest, AIAGCommandCarriesFlagsAndOneBytePrefixLength) {
  const auto field = Add(StyleEntry, 4, u"");
  const auto highField = page->Fields()->Add(208, u"G", 1, 1, StyleEntry, 0, 4, u"ab", u"", u"");
  Show(true);
  field->AIAG(false, true, true, false, false, u"P");
  field->AIAG(true, false, false, true, false, u"P");
  field->AIAG(true, true, false, false, true, std::u16string(207, u'x'));
  EXPECT_EQ(Commands(), "y551Py5:1Py5@\xFF"s + std::string(207, 'x'));
  EXPECT_EQ(field->AIAGFlags(), 16);
  const std::u16string_view tooLarge = u"The AIAG field number or prefix is too large";
  ExpectError([&] { MakeAIAG(*highField); }, errors::kOverflow, tooLarge);
  // The data is stored even though its AIAG command cannot be written.
  ExpectError([&] { highField->SetData(u"cd"); }, errors::kOverflow, tooLarge);
  EXPECT_EQ(highField->RawData(), u"cd");
  ExpectError([&] { field->AIAG(true, true, true, false, false, std::u16string(208, u'x')); },
              errors::kOverflow, tooLarge);
  EXPECT_EQ(Commands(), "");
}

TEST_F(FieldTest, DataGetFormatsAndClearFieldKeepsTheData) {
  const auto field = Add(StyleEntry, 10, u"1234.5");
  field->SetDataFormat(u"#,##0.00");
  EXPECT_EQ(field->Data(), u"1,234.50");
  Show(false, 3);
  field->ClearField();
  EXPECT_EQ(Commands(), "c5");
  EXPECT_EQ(field->RawData(), u"1234.5");
}

}  // namespace
}  // namespace carrowin::testing_support
