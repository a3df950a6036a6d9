#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/automation/variant.h"
#include "carrowin/host/circ_buffer.h"
#include "carrowin/host/error_reporter.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/message_sender.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

class CommandText;
class GrowingCircBuffer;
class Parameters;

/// The Drel protocol encoder of one terminal: assembles commands in its
/// output buffer and hands each finished message to the `MessageSender`.
///
/// Every operation that touches the output buffer raises error 91 (object
/// variable not set) before `Initialize`. Commands never raise for bad
/// arguments: an argument out of range makes the command write nothing.
/// Errors of the buffer, the sender or the trace reach the caller unchanged.
/// Not thread-safe: a `Drel` belongs to its terminal's processing.
class Drel {
 public:
  /// The most bytes a message holds before the next command starts a new one.
  static constexpr int32_t kMessageLimit = 350;

  /// Creates the object with a trace of its own (from `factories`), so it can
  /// trace and report before it is bound to a terminal.
  explicit Drel(HostFactories factories = {});
  ~Drel();
  Drel(const Drel&) = delete;
  Drel& operator=(const Drel&) = delete;

  // --- Lifecycle (internal: used by the `Terminal`) -----------------------

  /// Binds the object: a writer of `trace`, the sender, a new output buffer
  /// of capacity `bufferSize`, and the terminal number of every message the
  /// object starts by itself. All or nothing: when a step fails (no trace,
  /// a refused buffer size, a failing trace) the object stays as it was, so
  /// an object never bound goes on raising error 91.
  void Initialize(const std::shared_ptr<ProcessTrace>& trace,
                  const std::shared_ptr<MessageSender>& sender, int32_t bufferSize,
                  int32_t terminalNumber);
  /// Releases the sender and the parameters: afterwards `SendData` sends
  /// nothing and the device commands raise error 91.
  void Terminate();

  // --- Messages ------------------------------------------------------------
  //
  // Framing. The object always knows what its buffer holds: no message, a
  // message it started (terminal number and function code, then commands),
  // or bytes an application wrote with the raw `OutBufPut...` operations.
  // Every command operation that writes into the own buffer first opens an
  // "H" message for the own terminal number when the buffer holds nothing,
  // so no command ever travels without a header. Bytes leave the buffer only
  // once the sender has taken them.

  /// Starts a new message (terminal number in decimal, then the function
  /// code). A started "H" message that still holds commands is sent first;
  /// anything else the buffer held is discarded.
  void StartMessage(int32_t terminalNumber, uint8_t functionCode);
  /// Hands the assembled message to the sender as one message, then empties
  /// the buffer: after an "H" message its header is written again, so later
  /// commands travel in a message of their own; after any other message no
  /// message is open. Silent without a sender; an "H" message holding only
  /// its header is not sent. When the sender raises, the message stays in
  /// the buffer, whole, and a retried `SendData` delivers it once. A sender
  /// may not call back into the encoder that is sending it a message: any
  /// operation on the output buffer then raises error 5, writing nothing.
  void SendData();
  /// Appends `data` unconverted, one byte per character, after making room.
  void SendRawData(std::u16string_view data);
  /// Sends "a" (attach to the terminal connection server) as its own message.
  void AttachTerminal();
  /// Sends "d" (detach from the server) as its own message.
  void DetachTerminal();
  /// Sends "A" (force the terminal to reinitialise) as its own message.
  void AbortTerminal();
  /// Starts an "X" (remote status request) message; the caller sends it.
  void RequestTerminalRStatus(int32_t terminalNumber);

  // --- Output buffer -------------------------------------------------------

  /// Empties the buffer, discarding what was not sent; no message is open
  /// afterwards.
  void OutBufReset();
  /// The raw operations append bytes as they stand, without opening a
  /// message: an application may write a header of its own with them.
  void OutBufPutCh(uint8_t byte);
  /// Appends the first `length` bytes of `data`.
  void OutBufPut(int32_t length, const std::vector<uint8_t>& data);
  /// Appends the string, one byte per character.
  void OutBufPutStr(std::u16string_view data);
  int32_t OutBufLen() const;

  // --- State ---------------------------------------------------------------

  /// A bell is due before the next field is opened.
  bool ErrorBellTone() const { return errorBellTone_; }
  void SetErrorBellTone(bool value) { errorBellTone_ = value; }
  /// The field most recently opened or given the cursor, -1 for none.
  int32_t LastOpenField() const { return lastOpenField_; }

  /// The terminal's parameters (internal), read by the device commands.
  const std::shared_ptr<carrowin::Parameters>& Parameters() const { return parameters_; }
  void SetParameters(std::shared_ptr<carrowin::Parameters> parameters);
  /// Characters per printer pass-through packet (internal).
  int32_t PrinterPortPassPacketSize() const { return printerPortPassPacketSize_; }
  void SetPrinterPortPassPacketSize(int32_t value) { printerPortPassPacketSize_ = value; }

  // --- Page and field commands ------------------------------------------
  //
  // Field numbers run from -1 ("no particular field") to 207, pages, rows and
  // columns from 0 to 207. A command with an argument out of range writes
  // nothing, changes no state and raises nothing. The forms without a target
  // make room in the current message first; the GetDrel forms append to the
  // buffer they are given and never flush.

  /// "s": makes the page the terminal's current page; no field is open then.
  void SelectPage(int32_t lPageNumber);
  /// "d": displays the page and makes it current; no field is open then.
  void DisplayPage(int32_t lPageNumber);
  /// "o": unlocks the field for entry, preceded by a bell when
  /// `ErrorBellTone` is set (which it then clears).
  void OpenField(int32_t lFieldNumber);
  /// `OpenField` into `target`, without making room; still clears a pending
  /// bell it writes and records the field as `LastOpenField`.
  void OpenFieldGetDrel(CircBuffer& target, int32_t lFieldNumber);
  /// "f": a display-only field at row and column holding the converted text.
  /// Writes nothing when the conversion fails (it has been reported) or the
  /// text converts to more than `kMaxLengthCode` bytes.
  void FixedField(int32_t lFieldNumber, int32_t lFieldRow, int32_t lFieldColumn,
                  std::u16string_view sData);
  /// "i": the field's position, style, flags and size (0 to `kMaxLengthCode`).
  /// Once written, the caller's style and flags hold their low 8 bits.
  void InitField(int32_t lFieldNumber, int32_t lFieldRow, int32_t lFieldColumn,
                 int32_t& lFieldStyle, int32_t& lFieldFlags, int32_t lFieldSize);
  /// "u": the field's data, as `UpdateFieldGetDrel` into the own buffer.
  void UpdateField(int32_t lFieldNumber, std::u16string_view sData);
  /// `UpdateField` cutting code-page-0 text to `MaxLen` characters.
  void UpdateFieldWithMaxLen(int32_t FieldNumber, std::u16string_view Data, int32_t MaxLen);
  /// "c": clears the field's text.
  void ClearField(int32_t lFieldNumber);
  void ClearFieldGetDrel(CircBuffer& target, int32_t lFieldNumber);
  /// "C": clears the data of every entry field on the selected page.
  void ClearAll();
  void ClearAllGetDrel(CircBuffer& target);
  /// "e": removes the field from the current page; when it was the open
  /// field, none is open afterwards.
  void EraseField(int32_t lFieldNumber);
  /// "E": removes every field from the current page; none is open then.
  void EraseAll();
  /// "+": the field's style and flags. Once written, the caller's style and
  /// flags hold their low 8 bits.
  void SetFieldCharact(int32_t lFieldNumber, int32_t& lStyle, int32_t& lFlags);
  /// "v": the field's visible match pattern, sent unconverted (one byte per
  /// character). Raises error 5, writing nothing, for a character above
  /// U+00FF.
  void VisibleMatch(int32_t lFieldNumber, std::u16string_view sData);
  /// "w": the field's hidden match pattern, as `VisibleMatch`.
  void HiddenMatch(int32_t lFieldNumber, std::u16string_view sData);
  /// "@": puts the cursor into the field and records it as `LastOpenField`.
  void MoveCursor(int32_t lField);
  /// "@" into `target`, without making room or changing `LastOpenField`.
  void MoveCursorGetDrel(CircBuffer& target, int32_t lField);
  /// "b": attribute bits for a field 0 to 207 (not -1). Once written, the
  /// caller's bits hold their low 8 bits.
  void Bits(int32_t lField, int32_t& lBits);

  // --- Prompt, milestone and device commands ------------------------------

  /// Sounds the beeper: "#".
  void Bell();
  /// Appends "#" to `CircBufSend` without making room in the own buffer.
  void BellGetDrel(CircBuffer& CircBufSend);
  /// Shows an advisory and opens `lFieldNumber` (-1 to 207) for entry: the
  /// command of `AdvisoryGetDrel` with room made first. Whenever the field
  /// number is in range, clears `ErrorBellTone` and sets `LastOpenField`,
  /// even when the text was refused.
  void Advisory(int32_t lFieldNumber, std::u16string_view sData);
  /// Appends "a", small field, converted text to `CircBufSend`. Makes room in
  /// the own buffer first only when `PerformCheckForSend` is True.
  void AdvisoryGetDrel(CircBuffer& CircBufSend, int32_t lFieldNumber, std::u16string_view sData,
                       bool PerformCheckForSend = false);
  /// Shows an advisory without changing the lock state: "A", converted text.
  void AdvisoryNoOpen(std::u16string_view sData);
  /// Shows a hey-you question answered with `lResponseSize` (-1 to 207)
  /// characters: "h", small size, converted text. Clears `ErrorBellTone`
  /// when written.
  void HeyYou(int32_t lResponseSize, std::u16string_view sData);
  /// Discards the buffer and leaves the message "H" "!" (parameter query) in
  /// it; the caller sends it.
  void ParameterQuery();
  /// (internal) As `ParameterQuery` with the request "R".
  void StartRRequest();
  /// Acts as though `lFunctionKey` (0 to 207) had been pressed: "W", small
  /// key.
  void Wake(int32_t lFunctionKey);
  /// Locks the keyboard: "l".
  void LockKeyboard();
  /// Sends a milestone label: "M", unconverted text of at most 43263
  /// characters. A character above U+00FF raises error 5, writing nothing.
  void Milestone(std::u16string_view sData);
  /// As `Milestone`, and unlocks the terminal: "O".
  void MilestoneAndOpen(std::u16string_view sData);
  /// Sends a label back to the terminal: "N", as `Milestone`.
  void AckMilestone(std::u16string_view sData);
  /// Labels `lFunctionKey` (0 to 207): "S", small key, unconverted text.
  void SoftKey(int32_t lFunctionKey, std::u16string_view sData);
  /// Prints terminal lines: "p", small lines, small blank lines (both -1 to
  /// 207). `lPageNumber` (0 to 207) is checked but not sent.
  void DrelPrint(int32_t lPageNumber, int32_t lLines, int32_t lBlankLines);
  /// Passes `sData` through to printer port `lPort` (0 to 207) with format
  /// `lFormat` (0 to 207), in packets of `PrinterPortPassPacketSize` characters, each
  /// converted through `PrinterCodepage`: ">", small port, small format,
  /// converted text. A packet size below 1 sends the whole text as one
  /// packet. A packet never ends between the two halves of a surrogate pair.
  void PrinterPortPass(int32_t lPort, int32_t lFormat, std::u16string_view sData);
  /// Plays user sound `lIndex` (1 to 4): "Z" "s", small index. Written only on
  /// terminals that have the feature (see `ScannerEnableSend`); error 91
  /// without `Parameters`.
  void UserSoundSend(int32_t lIndex);
  /// Vibrates `lIterations` (at least 1, at most 207 are sent) times for
  /// `lOnTime` (at least 1) and `lOffTime` (at least 0). Model 82 from version
  /// 2: "Z" "v", on, off, iterations; other models from version 70: "Z" "v",
  /// iterations, duty in percent (rounded half to even), period; all numbers
  /// in the length code. Error 91 without `Parameters` (arguments out of
  /// range are refused first), error 6 when on plus off time passes 32 bits.
  void VibrateSend(int32_t lOnTime, int32_t lOffTime, int32_t lIterations);
  /// Switches the scanner on or off: "Z" "e", "1" or "0". Written only on
  /// terminals of Model 82 from version 2 and of other models from version
  /// 70; `bEnable` is converted to Boolean only then (its conversion errors
  /// reach the caller). Error 91 without `Parameters`.
  void ScannerEnableSend(const Variant& bEnable);

  // --- Extended field commands ---------------------------------------------
  //
  // The Send forms make room in the current message first, then hand their
  // arguments to the GetDrel form, which appends to the buffer it is given.
  // Room is made even when the GetDrel form then refuses the arguments.
  // Field indexes run from 0 to 207. A procedure index, colour or buffer size
  // without a one-byte value refuses the whole command: nothing is appended.

  /// (internal) "gS": the field's buffer size, 0 to `kMaxLengthCode`.
  void FieldBufferSizeSend(int32_t FieldIndex, int32_t BufferSize);
  void FieldBufferSizeGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex, int32_t BufferSize);
  /// "gB": makes the field a push button running the local procedure
  /// `ProcedureIndex` (-48 to 207; -1 for none).
  void PushButtonFieldSend(int32_t FieldIndex, int32_t ProcedureIndex = -1);
  void PushButtonFieldGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex,
                              int32_t ProcedureIndex = -1);
  /// "gC": the field's foreground and background colours (`DRELscreenColor`
  /// values; anything from -48 to 207 is sent as given).
  void SetColorSend(int32_t FieldIndex, int32_t ForeColor, int32_t BackColor);
  void SetColorGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex, int32_t ForeColor,
                       int32_t BackColor);
  /// "gV": the field's extended video attributes (`ExVideoAttribs` bits of
  /// the low byte; bit 128 is ignored, -1 sends every attribute).
  void ExtendedFieldVideoSend(int32_t FieldIndex, int32_t Attributes);
  /// Appends the "gV" command to `CircBufSend`. Its result, part of the
  /// published interface, is always an empty byte array.
  std::vector<uint8_t> ExtendedFieldVideoGetDrel(CircBuffer& CircBufSend, int32_t FieldIndex,
                                                 int32_t Attributes);
  /// "u": the data of field `FieldNumber` (-1 to 207). Text of code page 0
  /// is cut to its first `MaxLen` characters when `MaxLen` is 0 or more;
  /// text through a code page is sent whole. Writes nothing when the
  /// conversion fails (it has been reported) or gives more than
  /// `kMaxLengthCode` bytes. With `PerformCheckForSend` it first makes room
  /// in the own buffer, whatever `CircBufSend` is.
  void UpdateFieldGetDrel(CircBuffer& CircBufSend, int32_t FieldNumber, std::u16string_view Data,
                          bool PerformCheckForSend = false, int32_t MaxLen = -1);
  /// "P" ... "B": defines local procedure `ProcedureIndex` (0 to 207) as the
  /// command bytes held in `DrelCommands`, which are read out of it. An
  /// empty list raises error 9, appending nothing.
  void LocalProcedureSend(int32_t ProcedureIndex, CircBuffer& DrelCommands);
  void LocalProcedureGetDrel(CircBuffer& CircBufSend, int32_t ProcedureIndex,
                             CircBuffer& DrelCommands);

  // --- Code pages and text ------------------------------------------------

  /// Code page of screen text; 0 means one byte per character.
  int32_t Codepage() const { return codepage_; }
  /// (internal) Stores the code page; an untested one is reported, then traced.
  void SetCodepage(int32_t value);
  /// Code page of printer pass-through text; 0 means one byte per character.
  int32_t PrinterCodepage() const { return printerCodepage_; }
  /// (internal) As `SetCodepage`, for the printer.
  void SetPrinterCodepage(int32_t value);
  /// Reorder right-to-left runs of screen text before conversion (internal).
  bool HandleHebrewDisplay() const { return handleHebrewDisplay_; }
  void SetHandleHebrewDisplay(bool value) { handleHebrewDisplay_ = value; }

  /// Screen conversion through `Codepage`: optional right-to-left reordering,
  /// the 0x11 marker before the first double-byte character. Returns False
  /// (and reports the failure) when nothing could be converted; `count` is
  /// then unchanged.
  bool ConvertUnicodeToMultiByte(std::u16string_view text, std::vector<uint8_t>& bytes,
                                 int32_t& count);
  /// Conversion through `codepage` without reordering or marker.
  bool ConvertUnicodeToMultiByteEx(int32_t codepage, std::u16string_view text,
                                   std::vector<uint8_t>& bytes, int32_t& count);
  /// Plain conversion: one byte per character in the host's ANSI code page;
  /// a character without a single-byte form raises error 6.
  bool ConvertStringToBytes(std::u16string_view text, std::vector<uint8_t>& bytes, int32_t& count);

  // --- Trace and errors ----------------------------------------------------

  const std::shared_ptr<TraceWriter>& GetTraceWriter() const { return traceWriter_; }
  const std::shared_ptr<ErrorReporter>& GetErrorReporter() const { return errorReporter_; }

 private:
  /// The output buffer, or error 91 before `Initialize`. Inline: every
  /// command asks for it.
  CircBuffer& OutBuf() const {
    if (!outBuf_ || delivering_) RaiseUnavailable();
    return *outBuf_;
  }
  /// Error 91 before `Initialize`; error 5 while the sender has a message.
  [[noreturn]] void RaiseUnavailable() const;
  /// Makes room for a command of `size` bytes: opens an "H" message when the
  /// buffer holds none, and when the command would take the message past
  /// `kMessageLimit`, sends the message and starts the next one with the same
  /// terminal number and function code.
  void CheckForSend(int32_t size);
  /// Empties the buffer and writes a message header into it.
  void OpenMessage(int32_t terminalNumber, uint8_t functionCode);
  /// Whether the buffer holds more than the header of the open message.
  bool HoldsCommands() const;
  /// Hands the buffer's bytes to the sender, then empties the buffer; when
  /// the sender raises, the buffer holds the same bytes as before.
  void Deliver(CircBuffer& buffer);
  /// Screen text as command bytes: one byte per character for an empty text
  /// or code page 0, else the screen conversion. False when the conversion
  /// failed (it has been reported); the command then writes nothing.
  bool ScreenTextBytes(std::u16string_view text, std::vector<uint8_t>& bytes);
  /// The same for printer text, through `PrinterCodepage`.
  bool PrinterTextBytes(std::u16string_view text, std::vector<uint8_t>& bytes);

  // Shared by the command groups (src/drel/drel_command_support.cc).

  /// Whether `value` lies in `low` to `high`, bounds included.
  static constexpr bool InRange(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
  }
  /// Checks a text that goes unconverted (one byte per character, the
  /// character count as its length): False when it is too long for a length
  /// code (the command writes nothing); raises error 5 for a character above
  /// U+00FF, which has no byte. Call it before writing any byte of a command.
  static bool UnconvertedTextFits(std::u16string_view text);
  /// Screen text of a text command, short enough for a length code: as it
  /// stands when it is empty or ASCII through code page 0, else converted
  /// into `storage`. Nothing when it is refused; the command then writes
  /// nothing.
  std::optional<CommandText> ScreenCommandText(std::u16string_view text,
                                               std::vector<uint8_t>& storage);
  /// Appends one whole command to `target`: straight into a
  /// `GrowingCircBuffer`, with one `Put` into any other buffer, never a call
  /// per byte.
  void PutCommand(CircBuffer& target, std::span<const uint8_t> bytes);
  void PutCommand(CircBuffer& target, std::initializer_list<uint8_t> bytes);
  /// The same for a command of a fixed part `head` and a `text`.
  void PutCommand(CircBuffer& target, std::span<const uint8_t> head, const CommandText& text);
  /// `PutCommand` into a buffer other than a `GrowingCircBuffer`: the
  /// command is staged in an array, which `Put` takes in one call.
  void PutStaged(CircBuffer& target, std::span<const uint8_t> head, const CommandText& text);
  /// Appends a text command to `target`: the `head` bytes (command byte and
  /// small numbers), the length code of the text's byte count, the text.
  /// With `makeRoom`, first makes room in the own buffer for all of it,
  /// counting the length code as one byte.
  void PutTextCommand(CircBuffer& target, std::initializer_list<uint8_t> head,
                      const CommandText& text, bool makeRoom);
  /// Makes room for, then appends to the own buffer, the `head` bytes
  /// (command byte and small numbers) and the unconverted `text`; nothing
  /// for a text too long.
  void WriteUnconvertedTextCommand(std::initializer_list<uint8_t> head, std::u16string_view text);

  // Page and field command writers (src/drel/drel_page_commands.cc).

  /// "s" or "d": a page command, which leaves no field open.
  void PageCommand(uint8_t command, int32_t lPageNumber);

  /// "e" and the field into `target`; nothing for a field out of range.
  void WriteEraseField(CircBuffer& target, int32_t lFieldNumber);

  // Prompt, milestone and device commands.

  /// Discards the buffer and starts an "H" message holding `request` only.
  void StartRequestMessage(uint8_t request);
  /// Writes one printer pass-through packet, or nothing when it is refused.
  void WritePrinterPacket(int32_t port, int32_t format, std::u16string_view text);
  /// Whether the terminal has user sounds and a switchable scanner: Model 82
  /// from version 2, other models from version 70. Error 91 without
  /// `Parameters`.
  bool HasDeviceCommands() const;
  /// The terminal's parameters, or error 91 when none are set.
  const carrowin::Parameters& DeviceParameters() const;

  HostFactories factories_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<CircBuffer> outBuf_;
  // The own buffer when it is exactly a `GrowingCircBuffer`, which commands
  // then reach without virtual calls; nullptr for any other buffer.
  GrowingCircBuffer* directOutBuf_ = nullptr;
  std::shared_ptr<MessageSender> messageSender_;
  std::shared_ptr<carrowin::Parameters> parameters_;
  int32_t terminalNumber_ = 0;
  // The message in the buffer: open when the object wrote its header (it is
  // not when the buffer is empty or holds only an application's raw bytes).
  bool messageOpen_ = false;
  // The sender holds a message: the buffer is not the message's any more
  // and not yet free for the next.
  bool delivering_ = false;
  int32_t messageTerminal_ = 0;
  uint8_t functionCode_ = 0;
  int32_t headerLength_ = 0;
  int32_t codepage_ = 0;
  bool errorBellTone_ = false;
  int32_t lastOpenField_ = -1;
  int32_t printerPortPassPacketSize_ = 32;
  bool handleHebrewDisplay_ = false;
  int32_t printerCodepage_ = 0;
  // Kept between calls so that steady-state encoding allocates nothing: a
  // text command's bytes, a command on its way to a buffer that takes arrays
  // only, the message on its way to the sender. Each call borrows its
  // storage (src/drel/borrowed_bytes.h).
  std::vector<uint8_t> commandStorage_;
  std::vector<uint8_t> stagingStorage_;
  std::vector<uint8_t> messageStorage_;
};

}  // namespace carrowin
