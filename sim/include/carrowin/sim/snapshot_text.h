#pragma once

#include <string>
#include <vector>

#include "carrowin/sim/sim_options.h"
#include "carrowin/sim/sim_state.h"

namespace carrowin {

/// The rows of the virtual screen as the operator sees them: the fields of
/// the page on the screen in field number order, each at its row and
/// column, cut at the row's end. A field shows its data in its display
/// length; an entry field shows unfilled places as "_", a no-echo field its
/// characters as "*"; fields switched off (`FlagsFieldOff`) are not drawn.
std::vector<std::u16string> ScreenRows(const SimState& state, const SimOptions& options);

/// The screen in a frame, then one line each for what else the terminal
/// shows or holds (pages, input field, keyboard, advisory, hey-you, soft
/// keys, milestones, protocol errors), in UTF-8: what a failed wait prints
/// and what golden tests compare.
std::string SnapshotText(const SimState& state, const SimOptions& options);

}  // namespace carrowin
