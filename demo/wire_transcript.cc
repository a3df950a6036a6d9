#include "wire_transcript.h"

#include <carrowin/carrowin.h>
#include <carrowin/sim/message_names.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace carrowin::demo {

namespace {

constexpr size_t kBytesPerLine = 16;

void WriteNames(std::ostream& out, const std::vector<std::string>& names) {
  for (size_t i = 0; i < names.size(); ++i) out << (i == 0 ? "" : ", ") << names[i];
  out << '\n';
}

}  // namespace

void WireTranscript::Outbound(std::span<const uint8_t> message) {
  out_ << "host > terminal, length " << message.size() << ": ";
  try {
    WriteNames(out_, OutboundCommandNames(message, options_));
  } catch (const Error& error) {
    // The terminal records the broken message; the transcript shows it all.
    out_ << ToUtf8(error.Description()) << '\n';
  }
  Dump(message);
}

void WireTranscript::Inbound(std::span<const uint8_t> message) {
  out_ << "terminal > host, length " << message.size() << ": ";
  try {
    WriteNames(out_, InboundRecordNames(message));
  } catch (const Error& error) {
    out_ << ToUtf8(error.Description()) << '\n';
  }
  Dump(message);
}

void WireTranscript::Dump(std::span<const uint8_t> message) {
  for (size_t start = 0; start < message.size(); start += kBytesPerLine) {
    const std::span<const uint8_t> line =
        message.subspan(start, std::min(kBytesPerLine, message.size() - start));
    std::string hex;
    std::string text;
    for (const uint8_t byte : line) {
      char digits[4];
      std::snprintf(digits, sizeof digits, "%02X ", byte);
      hex += digits;
      text += byte >= 0x20 && byte < 0x7F ? static_cast<char>(byte) : '.';
    }
    hex.resize(kBytesPerLine * 3, ' ');
    out_ << "    " << hex << '|' << text << "|\n";
  }
}

}  // namespace carrowin::demo
