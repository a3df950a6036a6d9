#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "carrowin/sim/sim_options.h"
#include "carrowin/sim/sim_state.h"

namespace carrowin {

// What the operator does, applied to the terminal's state; each returns the
// inbound message the terminal sends for it (empty: none). They raise
// error 5 where the terminal refuses the action, before changing anything.

void TypeText(SimState& state, std::u16string_view text);
std::vector<uint8_t> EnterField(SimState& state, const SimOptions& options);
std::vector<uint8_t> PressFunctionKey(SimState& state, const SimOptions& options, int32_t key);
/// The message of function key `key` whatever the lock, as a wake command
/// has the terminal send it.
std::vector<uint8_t> FunctionKeyMessage(SimState& state, const SimOptions& options, int32_t key);
std::vector<uint8_t> AnswerPrompt(SimState& state, const SimOptions& options,
                                  std::u16string_view text);
std::vector<uint8_t> ScanCode(SimState& state, const SimOptions& options, std::u16string_view code);
std::vector<uint8_t> PressPushButton(SimState& state, const SimOptions& options,
                                     int32_t fieldNumber);
std::vector<uint8_t> SerialInputMessage(const SimOptions& options, int32_t port,
                                        std::u16string_view text);

}  // namespace carrowin
