#pragma once

#include <cstdint>

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
};

}  // namespace carrowin
