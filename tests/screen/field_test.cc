#include "carrowin/screen/field.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <variant>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin {
namespace {

using namespace std::string_literals;
using testing_support::ExpectError;
using testing_support::RaisedBy;

// Field 5 at row 1, column 2 of page 0 ("P"); the terminal has 40 virtual
// columns and version 70 unless a test says otherwise.
class FieldTest : public testing_support::TerminalFixture {
 protected:
  std::shared_ptr<Field> Make(int32_t style, int32_t flags, int32_t size, std::u16string_view data,
                              std::u16string_view hidden = u"", int32_t column = 2) {
    auto field = std::make_shared<Field>();
    field->Initialize(terminal->ProcessTrace(), terminal, page, u"F", 5, 1, column, style, flags,
                      size, data, hidden, u"");
    return field;
  }
  // Puts page "P" on the terminal, which shows page number `current`.
  void ShowPage(int32_t current = 0) {
    terminal->SetSelectedPage(u"P");
    terminal->SetCurrentPageNumber(current);
  }

  std::shared_ptr<Page> page = terminal->Pages()->Add(u"P");
};

TEST_F(FieldTest, InitializeReadsTheBufferSizeDirectiveAndSendsNothing) {
  ShowPage();
  // A size, or the error raised (number, description).
  using Outcome = std::variant<int32_t, std::pair<int32_t, std::u16string>>;
  const std::u16string notHex =
      u"The buffer size in the hidden pattern is not a hexadecimal number";
  const std::u16string tooLarge =
      u"The buffer size in the hidden pattern is larger than a field can hold";
  const struct {
    std::u16string_view hidden;
    Outcome expected;
  } cases[] = {
      {u"", 12},
      {u"999", 12},
      {u"9@B1E", 30},
      {u"@B50@xyz", 80},
      {u"@Bffff", 65535},
      {u"@B7FFFFFFF", 0x7FFFFFFF},
      {u"@B", std::pair{13, notHex}},
      {u"@B@50", std::pair{13, notHex}},
      {u"@B1G", std::pair{13, notHex}},
      {u"@B-1", std::pair{13, notHex}},
      {u"@BFFFFFFFF", std::pair{6, tooLarge}},
      {u"@B80000000", std::pair{6, tooLarge}},
      {u"@B100000000", std::pair{6, tooLarge}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.hidden));
    if (const auto* size = std::get_if<int32_t>(&c.expected)) {
      const auto field = Make(StyleEntry, 0, 12, u"ab", c.hidden);
      EXPECT_EQ(field->BufferSize(), *size);
      EXPECT_EQ(field->DisplayLength(), 12);
      EXPECT_EQ(field->HiddenPattern(), c.hidden);
    } else {
      const auto& [number, description] = std::get<1>(c.expected);
      auto field = std::make_shared<Field>();
      ExpectError(
          [&] {
            field->Initialize(terminal->ProcessTrace(), terminal, page, u"F", 5, 1, 2, StyleEntry,
                              0, 12, u"ab", c.hidden, u"");
          },
          number, description);
      EXPECT_EQ(field->BufferSize(), 0);
      EXPECT_EQ(field->DisplayLength(), 0);
    }
  }
  EXPECT_EQ(Commands(), "");
}

TEST_F(FieldTest, DisplayLengthWidensForDoubleWidthData) {
  const struct {
    int32_t column, size;
    std::u16string_view data, hidden;
    int32_t expected;
  } cases[] = {
      {2, 4, u"ab", u"", 4},        // single width: the size
      {2, 2, u"ＡＢ", u"", 4},      // two double-width characters
      {2, 8, u"ＡＢ", u"", 8},      // narrower than the size
      {36, 2, u"ＡＢＣ", u"", 4},   // up to the end of the virtual row
      {2, 2, u"ＡＢ", u"@B10", 2},  // a buffer of its own size
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.data) + " at " + std::to_string(c.column));
    EXPECT_EQ(Make(StyleEntry, 0, c.size, c.data, c.hidden, c.column)->DisplayLength(), c.expected);
  }
}

TEST_F(FieldTest, PropertyLetsSendWhatTheTerminalVersionKnows) {
  using Let = std::function<void(Field&)>;
  const struct {
    const char* name;
    Let let;
    // Sent on the terminal at versions 70, 68 and 67, and off the terminal.
    std::string v70, v68, v67, off;
  } cases[] = {
      {"same style", [](Field& f) { f.SetStyle(StyleEntry); }, "+5\x03\x00"s, "+5\x03\x00"s,
       "+5\x03\x00"s, ""},
      {"same flags", [](Field& f) { f.SetFlags(0); }, "", "", "", ""},
      {"new flags", [](Field& f) { f.SetFlags(FlagsBold); }, "+5\x03 ", "+5\x03 ", "+5\x03 ", ""},
      {"hidden pattern twice",
       [](Field& f) {
         f.SetHiddenPattern(u"9");
         f.SetHiddenPattern(u"9");
       },
       "w519w519", "w519w519", "w519w519", ""},
      {"visible match", [](Field& f) { f.SetVisibleMatch(u"A"); }, "v51A", "v51A", "v51A", "v51A"},
      {"attribute bits", [](Field& f) { f.SetExtendedAttributes(ExtendedAttributesSerial); },
       "b5\x01", "b5\x01", "b5\x01", ""},
      {"bits above 63", [](Field& f) { f.SetExtendedAttributes(64); }, "", "", "", ""},
      {"buffer size", [](Field& f) { f.SetBufferSize(30); }, "g5SN", "g5SN", "", ""},
      {"buffer size within the field", [](Field& f) { f.SetBufferSize(8); }, "", "", "", ""},
      {"push button and back",
       [](Field& f) {
         f.SetExtControlStyle(1);
         f.SetExtControlStyle(0);
       },
       "g5B/", "", "", ""},
      {"foreground, then background",
       [](Field& f) {
         f.SetForegroundColor(Green);
         f.SetBackgroundColor(Blue);
       },
       "g5C24", "", "", ""},
      {"extended video", [](Field& f) { f.SetExtendedVideoAttributes(6); }, "g5V223", "", "", ""},
      {"model only",
       [](Field& f) {
         f.SetLocalProcedureIndex(2);
         f.SetAllowClear(false);
         f.SetTouched(true);
         f.SetDataFormat(u"0.00");
       },
       "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [version, expected] :
         {std::pair{70, c.v70}, std::pair{68, c.v68}, std::pair{67, c.v67}}) {
      SetParameters(version, 40);
      const auto field = Make(StyleEntry, 0, 10, u"");
      ShowPage();
      c.let(*field);
      EXPECT_EQ(Commands(), expected) << "version " << version;
    }
    terminal->SetSelectedPage(u"");
    c.let(*Make(StyleEntry, 0, 10, u""));
    EXPECT_EQ(Commands(), c.off) << "off the terminal";
  }
}

TEST_F(FieldTest, SendersSelectThePageButVisibleMatchDoesNot) {
  const auto field = Make(StyleEntry, 0, 10, u"");
  ShowPage(3);
  field->SetVisibleMatch(u"A");
  EXPECT_EQ(terminal->CurrentPageNumber(), 3);
  field->SetExtendedAttributes(ExtendedAttributesSerial);
  EXPECT_EQ(Commands(), "v51As0b5\x01");
  EXPECT_EQ(terminal->CurrentPageNumber(), 0);
  EXPECT_EQ(field->SentExtendedAttributes(), ExtendedAttributesSerial);
}

TEST_F(FieldTest, CommandsLeaveTheLowEightBits) {
  const auto field = Make(StyleEntry, 0, 10, u"");
  ShowPage();
  field->SetStyle(0x103);
  field->SetFlags(0x120);
  field->SetExtendedAttributes(0x141);
  EXPECT_EQ(Commands(), "+5\x03\x00+5\x03 b5A"s);
  EXPECT_EQ(field->Style(), 3);
  EXPECT_EQ(field->Flags(), 0x20);
  EXPECT_EQ(field->ExtendedAttributes(), 0x41);
  EXPECT_EQ(field->SentExtendedAttributes(), 0x41);
}

TEST_F(FieldTest, OperationsAfterTerminateRaise91) {
  const auto added = page->Fields()->Add(5, u"F", 2, 3, StyleEntry, 0, 10, u"ab", u"", u"");
  const auto own = Make(StyleEntry, 0, 10, u"ab");
  own->Terminate();
  terminal->Terminate();
  for (const auto& field : {own, added}) {
    for (const auto& operation : std::initializer_list<std::function<void()>>{
             [&] { field->Display(); }, [&] { field->SetData(u"x"); }, [&] { field->SetStyle(1); },
             [&] { field->SetVisibleMatch(u"A"); }, [&] { field->SetBufferSize(50); },
             [&] { field->ClearField(); },
             [&] { field->AIAG(true, true, false, false, false, u"P"); }}) {
      EXPECT_EQ(RaisedBy(operation).Number(), errors::kObjectNotSet);
    }
  }
  EXPECT_EQ(added->RawData(), u"x");
}

}  // namespace
}  // namespace carrowin
