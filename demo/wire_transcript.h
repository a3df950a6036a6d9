#pragma once

#include <carrowin/sim/sim_options.h>

#include <cstdint>
#include <ostream>
#include <span>

namespace carrowin::demo {

/// Writes each message on the wire to a stream: its direction, what it says
/// (the virtual terminal's names for its commands or records) and its bytes
/// in hex, sixteen to a line beside their printable characters.
class WireTranscript {
 public:
  /// `options` are the terminal's, whose number the outbound messages carry.
  WireTranscript(std::ostream& out, SimOptions options) : out_(out), options_(options) {}

  void Outbound(std::span<const uint8_t> message);
  void Inbound(std::span<const uint8_t> message);

 private:
  void Dump(std::span<const uint8_t> message);

  std::ostream& out_;
  const SimOptions options_;
};

}  // namespace carrowin::demo
