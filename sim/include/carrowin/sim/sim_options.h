#pragma once

#include <cstdint>

namespace carrowin {

/// What a virtual terminal is: its number, the parameter reply it gives and
/// the code pages its text travels in. The defaults are a model 1 terminal
/// of firmware version 70 with a virtual screen of 40 columns by 16 rows.
struct SimOptions {
  int32_t terminalNumber = 0;
  /// The eight numbers of the parameter reply. `virtualColumns` must be even
  /// (up to 414), `virtualRows` even (up to 30), `maxField` 32 plus a
  /// multiple of 16 (up to 224); the others 0 to 207.
  int32_t model = 1;
  int32_t version = 70;
  int32_t features = 0;
  int32_t config = 0;
  int32_t virtualColumns = 40;
  int32_t virtualRows = 16;
  int32_t maxField = 192;
  int32_t savedPages = 4;
  int32_t application = 0;
  /// The screen code page (the library's "Codepage" setting) and the printer
  /// code page ("PrinterCodepage"); 0 is the host's ANSI code page.
  int32_t codePage = 0;
  int32_t printerCodePage = 0;
  /// The serial port a scan arrives on when the open field does not take
  /// bar codes.
  int32_t scannerPort = 0;
  /// Strict: a message with a protocol error changes nothing. Lenient: the
  /// commands before the error are kept and the rest of the message is
  /// skipped. The error is recorded either way.
  bool strict = true;
};

}  // namespace carrowin
