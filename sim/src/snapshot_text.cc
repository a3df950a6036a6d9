#include "carrowin/sim/snapshot_text.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "carrowin/automation/utf.h"
#include "carrowin/screen/field_enumerations.h"
#include "field_text.h"

namespace carrowin {

namespace {

// What the field's columns show, an entry field's unfilled places as "_".
std::u16string ShownText(const SimField& field) {
  std::u16string shown = FieldText(field);
  if (field.IsEntry() && static_cast<int32_t>(shown.size()) < field.displayLength) {
    shown.resize(static_cast<size_t>(field.displayLength), u'_');
  }
  return shown;
}

// Appends the pieces one by one: gcc 12 at -O3 warns falsely of a literal
// put in front of a temporary string.
void Append(std::string& text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) text.append(piece);
}

std::string Quoted(std::u16string_view text) {
  std::string quoted;
  Append(quoted, {"\"", ToUtf8(text), "\""});
  return quoted;
}

}  // namespace

std::vector<std::u16string> ScreenRows(const SimState& state, const SimOptions& options) {
  std::vector<std::u16string> rows(
      static_cast<size_t>(options.virtualRows),
      std::u16string(static_cast<size_t>(options.virtualColumns), u' '));
  const SimPage* screen = state.DisplayedPage();
  if (screen == nullptr) return rows;
  for (const auto& [number, field] : screen->fields) {
    if ((field.flags & FlagsFieldOff) != 0) continue;
    if (field.row >= options.virtualRows || field.column >= options.virtualColumns) continue;
    std::u16string& row = rows[static_cast<size_t>(field.row)];
    const std::u16string shown = ShownText(field);
    const size_t column = static_cast<size_t>(field.column);
    row.replace(column, std::min(shown.size(), row.size() - column),
                std::u16string_view(shown).substr(0, row.size() - column));
  }
  return rows;
}

std::string SnapshotText(const SimState& state, const SimOptions& options) {
  std::string border = "+";
  border.append(static_cast<size_t>(options.virtualColumns), '-');
  border.append("+\n");
  std::string text = border;
  for (const std::u16string& row : ScreenRows(state, options)) {
    Append(text, {"|", ToUtf8(row), "|\n"});
  }
  text += border;
  Append(text, {"page ", std::to_string(state.displayedPage), " on the screen, page ",
                std::to_string(state.selectedPage), " selected"});
  if (const SimField* input = state.InputField()) {
    Append(text, {", input in field ", std::to_string(input->number)});
  }
  text += state.keyboardLocked ? ", keyboard locked\n" : ", keyboard unlocked\n";
  if (state.advisory) Append(text, {"advisory ", Quoted(*state.advisory), "\n"});
  if (state.heyYou) {
    Append(text, {"hey-you ", Quoted(*state.heyYou), ", answer up to ",
                  std::to_string(state.heyYouResponseSize), "\n"});
  }
  if (!state.softKeys.empty()) {
    text += "soft keys";
    for (const auto& [key, label] : state.softKeys) {
      Append(text, {" ", std::to_string(key), "=", Quoted(label)});
    }
    text += "\n";
  }
  if (!state.milestones.empty()) {
    Append(text, {"milestone ", Quoted(state.milestones.back()), "\n"});
  }
  for (const std::u16string& error : state.protocolErrors) {
    Append(text, {"protocol error: ", ToUtf8(error), "\n"});
  }
  return text;
}

}  // namespace carrowin
