#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "carrowin/sim/sim_options.h"

namespace carrowin {

/// What an outbound message says, command by command, as the virtual
/// terminal reads it: "attach" for a control message, or for a screen
/// message each command's name ("select page", "fixed field", "open
/// field"...), for logs and transcripts. The message is read on a blank
/// terminal of `options`, so it changes nothing; one the terminal would
/// refuse raises `sim_errors::kProtocolError`.
std::vector<std::string> OutboundCommandNames(std::span<const uint8_t> message,
                                              const SimOptions& options);

/// What an inbound message says: "initialized", or for a Response the name
/// of each record ("field data", "function key", "entry", "hey-you answer",
/// "parameters", "serial input"). A record cut short raises
/// `sim_errors::kProtocolError`; the records after an unknown one are not
/// read, as the host does not read them.
std::vector<std::string> InboundRecordNames(std::span<const uint8_t> message);

}  // namespace carrowin
