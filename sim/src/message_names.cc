#include "carrowin/sim/message_names.h"

#include <string_view>

#include "carrowin/sim/sim_state.h"
#include "command_cursor.h"
#include "message_reader.h"

namespace carrowin {

namespace {

struct Name {
  uint8_t code;
  std::string_view name;
};

// The command bytes of docs/wire_format.md.
constexpr Name kScreenCommands[] = {
    {'s', "select page"},
    {'d', "display page"},
    {'o', "open field"},
    {'#', "bell"},
    {'f', "fixed field"},
    {'i', "initialise field"},
    {'u', "update field"},
    {'c', "clear field"},
    {'C', "clear all"},
    {'e', "erase field"},
    {'E', "erase all"},
    {'+', "style and flags"},
    {'v', "visible match"},
    {'w', "hidden match"},
    {'@', "move cursor"},
    {'b', "attribute bits"},
    {'a', "advisory with field"},
    {'A', "advisory"},
    {'h', "hey-you"},
    {'!', "parameter query"},
    {'R', "read request"},
    {'W', "wake"},
    {'l', "lock keyboard"},
    {'M', "milestone"},
    {'O', "milestone and open"},
    {'N', "acknowledge milestone"},
    {'S', "soft key"},
    {'p', "print lines"},
    {'>', "printer pass-through"},
    {'P', "local procedure"},
    {'y', "AIAG field"},
};
constexpr Name kExtendedFieldCommands[] = {
    {'S', "buffer size"}, {'B', "push button"}, {'C', "colours"}, {'V', "extended video"}};
constexpr Name kDeviceCommands[] = {{'s', "user sound"}, {'v', "vibrate"}, {'e', "scanner"}};
constexpr Name kControlMessages[] = {
    {'a', "attach"}, {'d', "detach"}, {'A', "abort"}, {'X', "status request"}};
constexpr Name kResponseRecords[] = {
    {'=', "field data"}, {'F', "function key"}, {'%', "entry"},           {'?', "hey-you answer"},
    {'!', "parameters"}, {'<', "serial input"}, {'R', "parameter query"}, {'M', "parameter query"}};

std::string NameOf(std::span<const Name> names, uint8_t code) {
  for (const Name& entry : names) {
    if (entry.code == code) return std::string(entry.name);
  }
  return ByteName(code);
}

// The reader has checked the command, so its sub-command byte is there.
std::string ScreenCommandName(std::span<const uint8_t> command) {
  if (command[0] == 'g') return NameOf(kExtendedFieldCommands, command[2]);
  if (command[0] == 'Z') return NameOf(kDeviceCommands, command[1]);
  return NameOf(kScreenCommands, command[0]);
}

}  // namespace

std::vector<std::string> OutboundCommandNames(std::span<const uint8_t> message,
                                              const SimOptions& options) {
  SimState blank;
  MessageReader reader(options, blank, message, 1);
  reader.Read();
  if (reader.FunctionCode() != 'H') return {NameOf(kControlMessages, reader.FunctionCode())};
  std::vector<std::string> names;
  for (const size_t offset : reader.CommandOffsets()) {
    names.push_back(ScreenCommandName(message.subspan(offset)));
  }
  return names;
}

std::vector<std::string> InboundRecordNames(std::span<const uint8_t> message) {
  CommandCursor cursor(message, 1);
  const uint8_t functionCode = cursor.Byte("function code");
  if (functionCode != 'R') {
    return {functionCode == 'I' ? std::string("initialized") : ByteName(functionCode)};
  }
  std::vector<std::string> names;
  while (!cursor.AtEnd()) {
    const uint8_t type = cursor.Byte("record type");
    names.push_back(NameOf(kResponseRecords, type));
    switch (type) {
      case '=':
        cursor.Byte("field");
        cursor.LengthAndBytes("field data");
        break;
      case 'F':
        cursor.Bytes(2, "key and field");
        break;
      case '%':
        cursor.Byte("field");
        break;
      case '?':
        cursor.LengthAndBytes("answer");
        break;
      case '!':
        cursor.Bytes(8, "parameters");
        break;
      case '<':
        cursor.Byte("port");
        cursor.LengthAndBytes("serial input");
        break;
      case 'R':
      case 'M':
        break;
      default:
        // The host stops reading at a record it does not know.
        return names;
    }
  }
  return names;
}

}  // namespace carrowin
