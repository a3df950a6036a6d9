#pragma once

#include <cstdint>
#include <vector>

#include "carrowin/sim/sim_options.h"
#include "carrowin/sim/sim_state.h"
#include "reply_builder.h"

namespace carrowin {

/// The Response to a parameter query: "!" and the eight numbers of
/// `options`.
std::vector<uint8_t> ParameterReply(const SimOptions& options);

/// The Response to a read request: the screen's changed fields.
std::vector<uint8_t> ReadReply(SimState& state, const SimOptions& options);

/// Appends a "=" record for each field of the screen that the operator
/// changed, and marks them unchanged: the host has them now.
void AppendChangedFields(SimState& state, const SimOptions& options, ReplyBuilder& reply);

}  // namespace carrowin
