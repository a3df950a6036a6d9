#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "carrowin/automation/variant.h"

namespace carrowin {

/// One message the terminal, or the connection server about the terminal,
/// sent. The `Terminal` reads each value once while it handles the message.
///
/// Contract: `Data` holds a byte array indexed from 0; only indices below
/// `Length` are meaningful. Nothing here is trusted: the terminal side checks
/// every index against the array before it reads.
class InboundMessage {
 public:
  virtual ~InboundMessage() = default;

  /// The message as a Variant holding a byte array.
  virtual Variant Data() = 0;
  /// The end index: only indices below it are meaningful.
  virtual int32_t Length() = 0;
  /// The message's function code.
  virtual uint8_t FunctionCode() = 0;
  /// The index of the function code in `Data`.
  virtual int32_t PositionFC() = 0;

  /// The bytes of `Data`, without copying them on every read; valid as long
  /// as the message lives. The default reads `Data` once and keeps it (so it
  /// raises error 13 when `Data` holds no byte array); an implementation
  /// that holds its bytes hands them out directly. Read by the one thread
  /// that handles the message.
  virtual std::span<const uint8_t> DataBytes();

 private:
  std::optional<Variant> data_;  // what the default DataBytes read from Data
};

}  // namespace carrowin
