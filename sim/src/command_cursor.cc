#include "command_cursor.h"

#include <cstdio>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "carrowin/sim/sim_terminal.h"

namespace carrowin {

namespace {
constexpr int32_t kMaxLength = 43263;
constexpr uint8_t kLongLength = '!';
}  // namespace

std::string ByteName(uint8_t byte) {
  char name[16];
  if (byte >= 0x20 && byte < 0x7F) {
    std::snprintf(name, sizeof name, "0x%02X '%c'", byte, byte);
  } else {
    std::snprintf(name, sizeof name, "0x%02X", byte);
  }
  return name;
}

uint8_t CommandCursor::Peek(std::string_view what) const {
  if (AtEnd()) Fail(offset_, "the message ends before the " + std::string(what));
  return message_[offset_];
}

uint8_t CommandCursor::Byte(std::string_view what) {
  const uint8_t byte = Peek(what);
  ++offset_;
  return byte;
}

int32_t CommandCursor::Number(std::string_view what, int32_t min, int32_t max) {
  const size_t at = offset_;
  const int32_t value = int32_t{Byte(what)} - 48;
  if (value < min || value > max) {
    Fail(at, std::string(what) + " " + std::to_string(value) + " is outside " +
                 std::to_string(min) + " to " + std::to_string(max));
  }
  return value;
}

int32_t CommandCursor::Length(std::string_view what) {
  const size_t at = offset_;
  if (Peek(what) != kLongLength) return Number(what, 0, 207);
  ++offset_;
  const int32_t high = Number(what, 0, 207);
  const int32_t low = Number(what, 0, 207);
  const int32_t value = high * 208 + low;
  if (value < 208 || value > kMaxLength) {
    Fail(at, std::string(what) + " " + std::to_string(value) + " is not a long length code");
  }
  return value;
}

std::span<const uint8_t> CommandCursor::Bytes(size_t count, std::string_view what) {
  if (count > message_.size() - offset_) {
    Fail(offset_, std::string(what) + " needs " + std::to_string(count) +
                      " bytes, the message has " + std::to_string(message_.size() - offset_));
  }
  const std::span<const uint8_t> bytes = message_.subspan(offset_, count);
  offset_ += count;
  return bytes;
}

std::span<const uint8_t> CommandCursor::LengthAndBytes(std::string_view what) {
  return Bytes(static_cast<size_t>(Length(what)), what);
}

void CommandCursor::Fail(size_t offset, std::string_view why) const {
  RaiseError(sim_errors::kProtocolError, u"SimTerminal.Receive",
             FromUtf8("Message " + std::to_string(messageNumber_) + ", byte " +
                      std::to_string(offset) + ": " + std::string(why)));
}

}  // namespace carrowin
