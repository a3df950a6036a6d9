#include "carrowin/screen/field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "support/expect_error.h"
#include "support/terminal_fixture.h"

namespace carrowin {
namespace {

using namespace std::string_literals;
using testing_support::RaisedBy;

// Field 5 at row 1 of page 0 ("P"), on a terminal of 40 virtual columns.
class FieldTest : public testing_support::TerminalFixture {
 protected:
  // Initializes `field` as an entry field with no visible pattern.
  void Init(Field& field, int32_t size, std::u16string_view data = u"",
            std::u16string_view hidden = u"", int32_t column = 2) {
    field.Initialize(terminal->ProcessTrace(), terminal, page, u"F", 5, 1, column, StyleEntry, 0,
                     size, data, hidden, u"");
  }

  std::shared_ptr<Page> page = terminal->Pages()->Add(u"P");
};

TEST_F(FieldTest, InitializeReadsTheBufferSizeAndTheDisplayLength) {
  terminal->SetSelectedPage(u"P");
  const struct {
    std::u16string_view hidden, data;
    int32_t size, column, bufferSize, displayLength, error;
  } cases[] = {
      {u"", u"ab", 4, 2, 4, 4, 0},          {u"9@B1E", u"", 4, 2, 30, 4, 0},
      {u"@B50@xyz", u"", 4, 2, 80, 4, 0},   {u"@B", u"", 4, 2, 0, 0, 13},
      {u"@B1G", u"", 4, 2, 0, 0, 13},       {u"@BFFFFFFFF", u"", 4, 2, 0, 0, 6},
      {u"@B100000000", u"", 4, 2, 0, 0, 6}, {u"", u"ＡＢ", 2, 2, 2, 4, 0},
      {u"", u"ＡＢＣ", 2, 36, 2, 4, 0},     {u"@B10", u"ＡＢ", 2, 2, 16, 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.hidden) + " " + ToUtf8(c.data));
    Field field;
    const Error error = RaisedBy([&] { Init(field, c.size, c.data, c.hidden, c.column); });
    EXPECT_EQ(error.Number(), c.error);
    if (c.error == 13) {
      EXPECT_EQ(error.Description(),
                u"The buffer size in the hidden pattern is not a hexadecimal number");
    }
    EXPECT_EQ(field.BufferSize(), c.bufferSize);
    EXPECT_EQ(field.DisplayLength(), c.displayLength);
  }
  EXPECT_EQ(Commands(), "");
}

TEST_F(FieldTest, PropertyLetsSendWhatTheTerminalVersionKnows) {
  const struct {
    const char* name;
    std::function<void(Field&)> let;
    // Sent on the terminal, which shows page 3, at versions 70, 68 and 67; then off it.
    std::string v70, v68, v67, off;
  } cases[] = {
      {"same style", [](Field& f) { f.SetStyle(3); }, "s0+5\x03\x00"s, "s0+5\x03\x00"s,
       "s0+5\x03\x00"s, ""},
      {"same flags", [](Field& f) { f.SetFlags(0); }, "", "", "", ""},
      {"new flags", [](Field& f) { f.SetFlags(0x120); }, "s0+5\x03 ", "s0+5\x03 ", "s0+5\x03 ", ""},
      {"same hidden", [](Field& f) { f.SetHiddenPattern(u""); }, "s0w50", "s0w50", "s0w50", ""},
      {"visible", [](Field& f) { f.SetVisibleMatch(u"A"); }, "v51A", "v51A", "v51A", "v51A"},
      {"bits", [](Field& f) { f.SetExtendedAttributes(0x141); }, "s0b5A", "s0b5A", "s0b5A", ""},
      {"bits above 63", [](Field& f) { f.SetExtendedAttributes(64); }, "", "", "", ""},
      {"buffer", [](Field& f) { f.SetBufferSize(30); }, "s0g5SN", "s0g5SN", "", ""},
      {"buffer within", [](Field& f) { f.SetBufferSize(8); }, "", "", "", ""},
      {"button and back",
       [](Field& f) {
         f.SetExtControlStyle(1);
         f.SetExtControlStyle(0);
       },
       "s0g5B/", "", "", ""},
      {"colours",
       [](Field& f) {
         f.SetForegroundColor(Green);
         f.SetBackgroundColor(Blue);
       },
       "s0g5C24", "", "", ""},
      {"video", [](Field& f) { f.SetExtendedVideoAttributes(6); }, "s0g5V223", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& [version, expected] :
         {std::pair{70, c.v70}, std::pair{68, c.v68}, std::pair{67, c.v67}}) {
      SetParameters(version, 40);
      Field field;
      Init(field, 10);
      terminal->SetSelectedPage(u"P");
      terminal->SetCurrentPageNumber(3);
      c.let(field);
      EXPECT_EQ(Commands(), expected) << "version " << version;
      // A command leaves the low 8 bits of what it sent.
      EXPECT_LT(std::max(field.Flags(), field.ExtendedAttributes()), 0x100);
    }
    terminal->SetSelectedPage(u"");
    Field field;
    Init(field, 10);
    c.let(field);
    EXPECT_EQ(Commands(), c.off) << "off the terminal";
  }
}

TEST_F(FieldTest, OperationsAfterTerminateRaise91) {
  const auto added = page->Fields()->Add(5, u"F", 2, 3, StyleEntry, 0, 10, u"ab", u"", u"");
  Field own;
  Init(own, 10, u"ab");
  own.Terminate();
  terminal->Terminate();  // reaches `added` through its pages
  for (Field* field : {&own, added.get()}) {
    for (const auto& operation : std::initializer_list<std::function<void()>>{
             [&] { field->Display(); }, [&] { field->SetData(u"x"); }, [&] { field->SetStyle(1); },
             [&] { field->SetVisibleMatch(u"A"); }, [&] { field->ClearField(); }}) {
      EXPECT_EQ(RaisedBy(operation).Number(), errors::kObjectNotSet);
    }
  }
}

}  // namespace
}  // namespace carrowin
