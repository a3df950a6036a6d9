#include "message_reader.h"

#include <string>

#include "carrowin/screen/field_enumerations.h"
#include "operator_actions.h"
#include "terminal_replies.h"
#include "text_reading.h"

namespace carrowin {

MessageReader::MessageReader(const SimOptions& options, SimState& state,
                             std::span<const uint8_t> message, int64_t messageNumber)
    : options_(options), state_(&state), cursor_(message, messageNumber) {}

std::vector<std::vector<uint8_t>> MessageReader::Read() {
  ReadHeader();
  switch (functionCode_) {
    case 'a':
      state_->attached = true;
      ++state_->attaches;
      // A terminal that is attached starts over and says so.
      replies_.push_back({'I'});
      break;
    case 'd':
      state_->attached = false;
      ++state_->detaches;
      break;
    case 'A':
      ++state_->aborts;
      state_->Restart();
      break;
    case 'X':
      // The caller may append to a status request; the terminal reads none of it.
      if (forThisTerminal_) ++state_->statusRequests;
      return replies_;
    case 'H':
      if (cursor_.AtEnd()) cursor_.Fail(cursor_.Offset(), "a screen message without commands");
      while (!cursor_.AtEnd()) {
        const size_t at = cursor_.Offset();
        commandOffsets_.push_back(at);
        ReadScreenCommand(cursor_.Byte("command"), at);
      }
      return replies_;
  }
  if (!cursor_.AtEnd()) {
    cursor_.Fail(cursor_.Offset(), "a control message with a body");
  }
  return replies_;
}

void MessageReader::RunProcedure() {
  while (!cursor_.AtEnd()) ReadProcedureCommand();
}

void MessageReader::ReadHeader() {
  int64_t number = 0;
  bool negative = false;
  size_t digits = 0;
  if (cursor_.Peek("terminal number") == '-') {
    negative = true;
    cursor_.Byte("terminal number");
  }
  while (!cursor_.AtEnd()) {
    const uint8_t byte = cursor_.Peek("terminal number");
    if (byte < '0' || byte > '9') break;
    if (digits == 1 && number == 0) {
      cursor_.Fail(cursor_.Offset(), "a terminal number with a leading zero");
    }
    number = number * 10 + (byte - '0');
    if (number > 2147483648) cursor_.Fail(cursor_.Offset(), "a terminal number beyond 32 bits");
    cursor_.Byte("terminal number");
    ++digits;
  }
  if (digits == 0) cursor_.Fail(cursor_.Offset(), "a message without a terminal number");
  if (negative) number = -number;
  const size_t at = cursor_.Offset();
  functionCode_ = cursor_.Byte("function code");
  if (std::string_view("adAXH").find(static_cast<char>(functionCode_)) == std::string_view::npos) {
    cursor_.Fail(at, "unknown function code " + ByteName(functionCode_));
  }
  // A status request names the terminal it asks about, which may be another.
  if (number != options_.terminalNumber && functionCode_ != 'X') {
    cursor_.Fail(0, "a message for terminal " + std::to_string(number) + ", this is terminal " +
                        std::to_string(options_.terminalNumber));
  }
  forThisTerminal_ = number == options_.terminalNumber;
}

void MessageReader::ReadScreenCommand(uint8_t command, size_t at) {
  if (ReadListCommand(command)) return;
  switch (command) {
    case 's': {
      const int32_t page = cursor_.Number("page", 0, 207);
      state_->selectedPage = page;
      state_->SelectedPage();
      state_->openField.reset();
      return;
    }
    case 'd': {
      const int32_t page = cursor_.Number("page", 0, 207);
      state_->displayedPage = page;
      state_->openField.reset();
      state_->advisory.reset();
      state_->heyYou.reset();
      return;
    }
    case 'f':
      ReadFieldDefinition(true);
      return;
    case 'i':
      ReadFieldDefinition(false);
      return;
    case 'e': {
      const int32_t number = FieldNumber();
      state_->SelectedPage().fields.erase(number);
      if (state_->openField == number) state_->openField.reset();
      return;
    }
    case 'E':
      state_->SelectedPage().fields.clear();
      state_->openField.reset();
      return;
    case '+': {
      const int32_t number = FieldNumber();
      const uint8_t style = cursor_.Byte("style");
      const uint8_t flags = cursor_.Byte("flags");
      if (SimField* field = TargetField(number)) {
        field->style = style;
        field->flags = flags;
      }
      return;
    }
    case 'v':
    case 'w': {
      const int32_t number = FieldNumber();
      std::u16string pattern = ReadPlainText(cursor_, "match pattern");
      if (SimField* field = TargetField(number)) {
        (command == 'v' ? field->visiblePattern : field->hiddenPattern) = std::move(pattern);
      }
      return;
    }
    case 'b': {
      const int32_t number = FieldNumber(0);
      const uint8_t bits = cursor_.Byte("attribute bits");
      if (SimField* field = TargetField(number)) field->attributeBits = bits;
      return;
    }
    case 'A':
      state_->advisory = ScreenText("advisory");
      return;
    case 'h': {
      const int32_t size = cursor_.Number("response size", -1, 207);
      state_->heyYou = ScreenText("hey-you prompt");
      state_->heyYouResponseSize = size;
      state_->keyboardLocked = false;
      return;
    }
    case '!':
      replies_.push_back(ParameterReply(options_));
      return;
    case 'R':
      replies_.push_back(ReadReply(*state_, options_));
      return;
    case 'W':
      // The terminal acts as though the operator had pressed the key.
      state_->wakeKey = cursor_.Number("key", 0, 207);
      replies_.push_back(FunctionKeyMessage(*state_, options_, state_->wakeKey));
      return;
    case 'l':
      state_->keyboardLocked = true;
      return;
    case 'M':
    case 'O':
      state_->milestones.push_back(ReadPlainText(cursor_, "milestone"));
      if (command == 'O') state_->keyboardLocked = false;
      return;
    case 'N':
      state_->acknowledgedMilestone = ReadPlainText(cursor_, "milestone");
      return;
    case 'S': {
      const int32_t key = cursor_.Number("key", 0, 207);
      state_->softKeys[key] = ReadPlainText(cursor_, "soft key text");
      return;
    }
    case 'p': {
      const int32_t lines = cursor_.Number("lines", -1, 207);
      const int32_t blankLines = cursor_.Number("blank lines", -1, 207);
      state_->printJobs.push_back({lines, blankLines});
      return;
    }
    case '>': {
      const int32_t port = cursor_.Number("port", 0, 207);
      const int32_t format = cursor_.Number("format", 0, 207);
      state_->printerPackets.push_back(
          {port, format,
           ReadConvertedText(cursor_, options_.printerCodePage, "printer text", false)});
      return;
    }
    case 'Z':
      ReadDeviceCommand();
      return;
    case 'P':
      ReadLocalProcedure(at);
      return;
    case 'y':
      ReadAiag();
      return;
    default:
      cursor_.Fail(at, "unknown command byte " + ByteName(command));
  }
}

void MessageReader::ReadProcedureCommand() {
  const size_t at = cursor_.Offset();
  const uint8_t command = cursor_.Byte("command");
  if (!ReadListCommand(command)) {
    cursor_.Fail(at, "command " + ByteName(command) + " in a local procedure");
  }
}

bool MessageReader::ReadListCommand(uint8_t command) {
  switch (command) {
    case 'o':
    case '@': {
      const int32_t number = FieldNumber();
      state_->openField = number;
      // Opening a field hands the keyboard to the operator; moving the
      // cursor does not.
      if (command == 'o') {
        state_->keyboardLocked = false;
        state_->advisory.reset();
      }
      return true;
    }
    case '#':
      ++state_->bells;
      return true;
    case 'c': {
      if (SimField* field = TargetField(FieldNumber())) {
        field->data.clear();
        field->modified = false;
      }
      return true;
    }
    case 'C':
      for (auto& [number, field] : state_->SelectedPage().fields) {
        if (!field.IsEntry()) continue;
        field.data.clear();
        field.modified = false;
      }
      return true;
    case 'u': {
      const int32_t number = FieldNumber();
      std::u16string data = ScreenText("field data");
      if (SimField* field = TargetField(number)) {
        field->data = std::move(data);
        field->modified = false;
      }
      return true;
    }
    case 'a': {
      const int32_t number = FieldNumber();
      state_->advisory = ScreenText("advisory");
      state_->openField = number;
      state_->keyboardLocked = false;
      return true;
    }
    case 'g':
      ReadExtendedFieldCommand();
      return true;
    default:
      return false;
  }
}

void MessageReader::ReadFieldDefinition(bool fixedText) {
  const size_t at = cursor_.Offset();
  SimField field;
  field.number = FieldNumber(0);
  field.row = cursor_.Number("row", 0, options_.virtualRows - 1);
  field.column = cursor_.Number("column", 0, options_.virtualColumns - 1);
  if (fixedText) {
    field.style = StyleFixed;
    field.data = ScreenText("fixed text");
    field.displayLength = static_cast<int32_t>(field.data.size());
  } else {
    field.style = cursor_.Byte("style");
    field.flags = cursor_.Byte("flags");
    field.displayLength = cursor_.Length("field length");
  }
  SimPage& page = state_->SelectedPage();
  if (page.Find(field.number) == nullptr &&
      static_cast<int32_t>(page.fields.size()) >= options_.maxField) {
    cursor_.Fail(at, "page " + std::to_string(page.number) + " already holds " +
                         std::to_string(options_.maxField) + " fields");
  }
  page.fields[field.number] = std::move(field);
}

void MessageReader::ReadExtendedFieldCommand() {
  const int32_t number = FieldNumber(0);
  const size_t at = cursor_.Offset();
  const uint8_t letter = cursor_.Byte("extended field command");
  SimField* field = TargetField(number);
  switch (letter) {
    case 'S': {
      const int32_t size = cursor_.Length("buffer size");
      if (field != nullptr) field->bufferSize = size;
      return;
    }
    case 'B': {
      const int32_t procedure = cursor_.Number("procedure index", -48, 207);
      if (field != nullptr) {
        field->pushButton = true;
        field->procedure = procedure;
      }
      return;
    }
    case 'C': {
      const int32_t foreground = cursor_.Number("foreground colour", -1, 15);
      const int32_t background = cursor_.Number("background colour", -1, 15);
      if (field != nullptr) {
        field->foreground = foreground;
        field->background = background;
      }
      return;
    }
    case 'V': {
      const int32_t count = cursor_.Number("video attribute count", 1, 7);
      int32_t video = 0;
      int32_t previous = 0;
      for (int32_t i = 0; i < count; ++i) {
        const size_t digitAt = cursor_.Offset();
        const int32_t digit = cursor_.Number("video attribute", 0, 7);
        // One digit per attribute, rising; "0" (normal) only alone.
        if (digit <= previous && !(digit == 0 && count == 1)) {
          cursor_.Fail(digitAt, "video attribute " + std::to_string(digit) + " out of order");
        }
        if (digit > 0) video |= 1 << (digit - 1);
        previous = digit;
      }
      if (field != nullptr) field->video = video;
      return;
    }
    default:
      cursor_.Fail(at, "unknown extended field command " + ByteName(letter));
  }
}

void MessageReader::ReadDeviceCommand() {
  const size_t at = cursor_.Offset();
  const uint8_t letter = cursor_.Byte("device command");
  switch (letter) {
    case 's':
      state_->sounds.push_back(cursor_.Number("sound index", 1, 4));
      return;
    case 'v': {
      const int32_t first = cursor_.Length("vibrate time");
      const int32_t second = cursor_.Length("vibrate time");
      const int32_t third = cursor_.Length("vibrate time");
      state_->vibrations.push_back({first, second, third});
      return;
    }
    case 'e': {
      const int32_t enable = cursor_.Number("scanner switch", 0, 1);
      state_->scannerEnabled = enable == 1;
      return;
    }
    default:
      cursor_.Fail(at, "unknown device command " + ByteName(letter));
  }
}

void MessageReader::ReadLocalProcedure(size_t at) {
  const int32_t index = cursor_.Number("procedure index", 0, 207);
  const size_t begin = cursor_.Offset();
  // The list is checked command by command on a copy of the state: it only
  // runs when an operator presses its button.
  SimState scratch = *state_;
  SimState* const own = state_;
  state_ = &scratch;
  while (cursor_.Peek("procedure end") != 'B') ReadProcedureCommand();
  state_ = own;
  const size_t end = cursor_.Offset();
  cursor_.Byte("procedure end");
  if (end == begin) cursor_.Fail(at, "an empty local procedure");
  const std::span<const uint8_t> message = cursor_.Message();
  state_->procedures[index].assign(message.begin() + static_cast<std::ptrdiff_t>(begin),
                                   message.begin() + static_cast<std::ptrdiff_t>(end));
}

void MessageReader::ReadAiag() {
  const int32_t number = FieldNumber(0);
  const int32_t flags = cursor_.Number("AIAG flags", 0, 31);
  const int32_t length = cursor_.Number("AIAG prefix length", 0, 207);
  std::u16string prefix = PlainText(cursor_.Bytes(static_cast<size_t>(length), "AIAG prefix"));
  if (SimField* field = TargetField(number)) {
    field->aiag = true;
    field->aiagFlags = flags;
    field->aiagPrefix = std::move(prefix);
  }
}

int32_t MessageReader::FieldNumber(int32_t min) { return cursor_.Number("field", min, 207); }

std::u16string MessageReader::ScreenText(std::string_view what) {
  return ReadConvertedText(cursor_, options_.codePage, what, true);
}

SimField* MessageReader::TargetField(int32_t number) {
  SimPage& page = state_->SelectedPage();
  if (number >= 0) return page.Find(number);
  if (!state_->openField || *state_->openField < 0) return nullptr;
  return page.Find(*state_->openField);
}

}  // namespace carrowin
