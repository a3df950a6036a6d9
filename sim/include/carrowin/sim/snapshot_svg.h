#pragma once

#include <string>

#include "carrowin/sim/sim_options.h"
#include "carrowin/sim/sim_state.h"

namespace carrowin {

/// The screen as an SVG picture, for reports and documentation: one cell of
/// 10 by 20 pixels per column and row, each field of the page on the screen
/// in its colours (dark on light by default) with its reverse, bold and
/// underline attributes, entry fields underlined, the input field framed,
/// and the advisory or hey-you prompt in a line below.
std::string SnapshotSvg(const SimState& state, const SimOptions& options);

}  // namespace carrowin
