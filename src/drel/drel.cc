#include "carrowin/drel/drel.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "carrowin/automation/error.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "drel/borrowed_bytes.h"
#include "drel/command_bytes.h"
#include "drel/direct_buffer.h"
#include "host/object_trace.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kObjectName = u"Drel";
constexpr uint8_t kScreenFunctionCode = 'H';

// The terminal number in decimal ASCII, then the function code.
CommandBytes MessageHeader(int32_t terminalNumber, uint8_t functionCode) {
  std::array<char, 11> digits{};  // "-2147483648"
  const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), terminalNumber).ptr;
  CommandBytes header;
  for (const char* digit = digits.data(); digit != end; ++digit) {
    header.Add(static_cast<uint8_t>(*digit));
  }
  header.Add(functionCode);
  return header;
}
}  // namespace

Drel::Drel(HostFactories factories) : factories_(std::move(factories)) {
  // A trace of its own, so the object can report before it is bound.
  traceWriter_ = ObtainTraceWriter(*factories_.CreateProcessTrace(), kObjectName);
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
}

Drel::~Drel() = default;

void Drel::Initialize(const std::shared_ptr<ProcessTrace>& trace,
                      const std::shared_ptr<MessageSender>& sender, int32_t bufferSize,
                      int32_t terminalNumber) {
  if (!trace) RaiseError(errors::kObjectNotSet, u"Drel.Initialize");
  // Everything is made first and kept only once every step succeeded, so a
  // failure never leaves the object half bound.
  auto writer = ObtainTraceWriter(*trace, kObjectName);
  writer->Trace(3, u"Initialize", u"Trace created");
  auto reporter = ObtainErrorReporter(*writer, kObjectName);
  auto buffer = factories_.CreateCircBuffer();
  buffer->SetSize(bufferSize);
  traceWriter_ = std::move(writer);
  errorReporter_ = std::move(reporter);
  messageSender_ = sender;
  outBuf_ = std::move(buffer);
  directOutBuf_ = DirectGrowingBuffer(outBuf_.get());
  terminalNumber_ = terminalNumber;
  messageOpen_ = false;
}

void Drel::Terminate() {
  messageSender_.reset();
  parameters_.reset();
}

void Drel::SetParameters(std::shared_ptr<carrowin::Parameters> parameters) {
  parameters_ = std::move(parameters);
}

void Drel::RaiseUnavailable() const {
  if (!outBuf_) RaiseError(errors::kObjectNotSet, u"Drel", u"The Drel object is not initialised");
  RaiseError(errors::kInvalidProcedureCall, u"Drel",
             u"A message sender may not call back into the encoder that is sending");
}

void Drel::StartMessage(int32_t terminalNumber, uint8_t functionCode) {
  OutBuf();
  // Commands written between cycles, or by a handler after a send, must not
  // be lost to the next message's start.
  if (messageOpen_ && functionCode_ == kScreenFunctionCode && HoldsCommands()) SendData();
  OpenMessage(terminalNumber, functionCode);
}

void Drel::OpenMessage(int32_t terminalNumber, uint8_t functionCode) {
  CircBuffer& buffer = OutBuf();
  const CommandBytes header = MessageHeader(terminalNumber, functionCode);
  buffer.Reset();
  PutCommand(buffer, header.Bytes());
  messageOpen_ = true;
  messageTerminal_ = terminalNumber;
  functionCode_ = functionCode;
  headerLength_ = buffer.Length();
}

bool Drel::HoldsCommands() const { return OutBufLen() > (messageOpen_ ? headerLength_ : 0); }

void Drel::SendData() {
  CircBuffer& buffer = OutBuf();
  if (!messageSender_) return;
  const bool screenMessage = messageOpen_ && functionCode_ == kScreenFunctionCode;
  if (screenMessage ? !HoldsCommands() : buffer.Length() < 1) return;
  Deliver(buffer);
  if (screenMessage) {
    OpenMessage(messageTerminal_, functionCode_);
  } else {
    messageOpen_ = false;
  }
}

void Drel::Deliver(CircBuffer& buffer) {
  const int32_t length = buffer.Length();
  BorrowedBytes message(messageStorage_);
  message->resize(static_cast<size_t>(length));
  buffer.Get(length, *message);
  delivering_ = true;
  try {
    messageSender_->Send(*message);
  } catch (...) {
    delivering_ = false;
    // Whether or not Get removed the bytes, the buffer holds the message
    // again, so a retried send delivers it.
    buffer.Reset();
    buffer.Put(length, *message);
    throw;
  }
  delivering_ = false;
  buffer.Reset();
}

void Drel::CheckForSend(int32_t size) {
  if (!messageOpen_ && OutBufLen() == 0) OpenMessage(terminalNumber_, kScreenFunctionCode);
  if (int64_t{OutBufLen()} + size <= kMessageLimit) return;
  // The next message has the header of this one; after an application's own
  // bytes, whose header is unknown, it is a screen message of the terminal.
  const int32_t terminal = messageOpen_ ? messageTerminal_ : terminalNumber_;
  const uint8_t functionCode = messageOpen_ ? functionCode_ : kScreenFunctionCode;
  SendData();
  OpenMessage(terminal, functionCode);
}

void Drel::SendRawData(std::u16string_view data) {
  if (data.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    RaiseError(errors::kOverflow, u"Drel.SendRawData");
  }
  CheckForSend(static_cast<int32_t>(data.size()));
  OutBufPutStr(data);
}

void Drel::AttachTerminal() {
  StartMessage(terminalNumber_, 'a');
  SendData();
}

void Drel::DetachTerminal() {
  StartMessage(terminalNumber_, 'd');
  SendData();
}

void Drel::AbortTerminal() {
  StartMessage(terminalNumber_, 'A');
  SendData();
}

void Drel::RequestTerminalRStatus(int32_t terminalNumber) { StartMessage(terminalNumber, 'X'); }

void Drel::OutBufReset() {
  OutBuf().Reset();
  messageOpen_ = false;
}

void Drel::OutBufPutCh(uint8_t byte) { OutBuf().PutByte(byte); }

void Drel::OutBufPut(int32_t length, const std::vector<uint8_t>& data) {
  OutBuf().Put(length, data);
}

void Drel::OutBufPutStr(std::u16string_view data) { OutBuf().PutStr(data); }

int32_t Drel::OutBufLen() const {
  return directOutBuf_ != nullptr ? directOutBuf_->GrowingCircBuffer::Length() : OutBuf().Length();
}

}  // namespace carrowin
