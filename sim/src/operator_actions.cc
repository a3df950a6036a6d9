#include "operator_actions.h"

#include <algorithm>

#include "carrowin/automation/error.h"
#include "carrowin/screen/field_enumerations.h"
#include "message_reader.h"
#include "reply_builder.h"
#include "terminal_replies.h"

namespace carrowin {

namespace {

[[noreturn]] void Refuse(std::u16string_view action, std::u16string_view why) {
  RaiseError(errors::kInvalidProcedureCall, u"SimTerminal." + std::u16string(action), why);
}

/// The field the operator types into, which must exist on an unlocked
/// keyboard.
SimField& RequireInputField(SimState& state, std::u16string_view action) {
  if (state.keyboardLocked) Refuse(action, u"The keyboard is locked");
  const SimField* input = state.InputField();
  if (input == nullptr) Refuse(action, u"No entry field is open");
  return *state.pages[state.displayedPage].Find(input->number);
}

/// The changed fields and then "%": a transmit that locks the keyboard
/// until the host answers.
std::vector<uint8_t> TransmitOnEntry(SimState& state, const SimOptions& options, int32_t field) {
  ReplyBuilder reply('R');
  AppendChangedFields(state, options, reply);
  reply.Byte('%').Number(field);
  state.keyboardLocked = true;
  state.advisory.reset();
  return reply.Take();
}

bool Accepts(const SimField& field, char16_t character) {
  if (static_cast<int32_t>(field.data.size()) >= field.Capacity()) return false;
  return (field.style & StyleNum) == 0 || (character >= u'0' && character <= u'9');
}

}  // namespace

void TypeText(SimState& state, std::u16string_view text) {
  SimField* field = &RequireInputField(state, u"Type");
  SimPage& screen = state.pages[state.displayedPage];
  for (const char16_t character : text) {
    if (!Accepts(*field, character)) continue;
    field->data += character;
    field->modified = true;
    if ((field->flags & FlagsAutoTab) != 0 &&
        static_cast<int32_t>(field->data.size()) >= field->Capacity()) {
      // The page holds at least this entry field, so there is a next one.
      field = screen.Find(screen.NextEntry(field->number)->number);
      state.openField = field->number;
    }
  }
}

std::vector<uint8_t> EnterField(SimState& state, const SimOptions& options) {
  const SimField& field = RequireInputField(state, u"Enter");
  if ((field.style & StyleXmit) != 0) return TransmitOnEntry(state, options, field.number);
  state.openField = state.pages[state.displayedPage].NextEntry(field.number)->number;
  return {};
}

std::vector<uint8_t> PressFunctionKey(SimState& state, const SimOptions& options, int32_t key) {
  if (key < 0 || key > 207) Refuse(u"PressKey", u"A function key is 0 to 207");
  if (state.keyboardLocked) Refuse(u"PressKey", u"The keyboard is locked");
  return FunctionKeyMessage(state, options, key);
}

std::vector<uint8_t> FunctionKeyMessage(SimState& state, const SimOptions& options, int32_t key) {
  const SimField* input = state.InputField();
  const int32_t field = input != nullptr ? input->number : -1;
  ReplyBuilder reply('R');
  AppendChangedFields(state, options, reply);
  reply.Byte('F').Number(key).Number(field);
  state.keyboardLocked = true;
  state.advisory.reset();
  return reply.Take();
}

std::vector<uint8_t> AnswerPrompt(SimState& state, const SimOptions& options,
                                  std::u16string_view text) {
  if (!state.heyYou) Refuse(u"AnswerHeyYou", u"No hey-you prompt is waiting");
  if (state.heyYouResponseSize >= 0) {
    text = text.substr(0, static_cast<size_t>(state.heyYouResponseSize));
  }
  ReplyBuilder reply('R');
  reply.Byte('?').Text(options.codePage, text);
  state.heyYou.reset();
  state.keyboardLocked = true;
  return reply.Take();
}

std::vector<uint8_t> ScanCode(SimState& state, const SimOptions& options,
                              std::u16string_view code) {
  if (!state.scannerEnabled) Refuse(u"Scan", u"The scanner is off");
  const SimField* input = state.keyboardLocked ? nullptr : state.InputField();
  if (input == nullptr || (input->flags & FlagsBarcode) == 0) {
    return SerialInputMessage(options, options.scannerPort, code);
  }
  SimField& field = *state.pages[state.displayedPage].Find(input->number);
  field.data = code.substr(0, static_cast<size_t>(std::max(field.Capacity(), 0)));
  field.modified = true;
  return TransmitOnEntry(state, options, field.number);
}

std::vector<uint8_t> PressPushButton(SimState& state, const SimOptions& options,
                                     int32_t fieldNumber) {
  if (state.keyboardLocked) Refuse(u"PressButton", u"The keyboard is locked");
  const auto screen = state.pages.find(state.displayedPage);
  const SimField* button = screen == state.pages.end() ? nullptr : screen->second.Find(fieldNumber);
  if (button == nullptr || !button->pushButton) {
    Refuse(u"PressButton", u"The field is not a push button on the screen");
  }
  if (button->procedure < 0) return TransmitOnEntry(state, options, fieldNumber);
  const auto procedure = state.procedures.find(button->procedure);
  if (procedure == state.procedures.end()) {
    Refuse(u"PressButton", u"The button's local procedure was never sent");
  }
  // Checked when it arrived, so it runs without a protocol error.
  const std::vector<uint8_t> commands = procedure->second;
  MessageReader(options, state, commands, 0).RunProcedure();
  return {};
}

std::vector<uint8_t> SerialInputMessage(const SimOptions& options, int32_t port,
                                        std::u16string_view text) {
  if (port < 0 || port > 207) Refuse(u"SerialInput", u"A port is 0 to 207");
  ReplyBuilder reply('R');
  reply.Byte('<').Number(port).Text(options.codePage, text);
  return reply.Take();
}

}  // namespace carrowin
