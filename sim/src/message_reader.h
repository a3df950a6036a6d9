#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "carrowin/sim/sim_options.h"
#include "carrowin/sim/sim_state.h"
#include "command_cursor.h"

namespace carrowin {

/// Reads one outbound message (header, function code, commands) and applies
/// each command to a terminal's state as soon as it is read. Every argument
/// is checked before its command changes anything; a protocol error is
/// raised as `sim_errors::kProtocolError`.
class MessageReader {
 public:
  /// `messageNumber` (the first is 1) names the message in errors.
  MessageReader(const SimOptions& options, SimState& state, std::span<const uint8_t> message,
                int64_t messageNumber);

  /// Reads the whole message and returns the inbound messages the terminal
  /// answers with.
  std::vector<std::vector<uint8_t>> Read();
  /// Reads the message as the body of a local procedure (list commands
  /// only, no header) and applies it.
  void RunProcedure();
  /// The function code read, and the offset of each command of a screen
  /// message: what the command names are taken from.
  uint8_t FunctionCode() const { return functionCode_; }
  const std::vector<size_t>& CommandOffsets() const { return commandOffsets_; }

 private:
  void ReadHeader();
  void ReadScreenCommand(uint8_t command, size_t at);
  /// One command of a local procedure.
  void ReadProcedureCommand();
  /// The commands a local procedure may hold; false for any other byte.
  bool ReadListCommand(uint8_t command);
  void ReadFieldDefinition(bool fixedText);
  void ReadExtendedFieldCommand();
  void ReadDeviceCommand();
  void ReadLocalProcedure(size_t at);
  void ReadAiag();

  /// A field number from `min` to 207.
  int32_t FieldNumber(int32_t min = -1);
  /// A screen text, a printer text or an unconverted text.
  std::u16string ScreenText(std::string_view what);
  /// The field `number` of the selected page (-1: the open field there), or
  /// nullptr: commands for a field the page does not hold change nothing.
  SimField* TargetField(int32_t number);

  const SimOptions& options_;
  SimState* state_;
  CommandCursor cursor_;
  uint8_t functionCode_ = 0;
  bool forThisTerminal_ = true;
  std::vector<std::vector<uint8_t>> replies_;
  std::vector<size_t> commandOffsets_;
};

}  // namespace carrowin
