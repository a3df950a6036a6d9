#include "carrowin/drel/drel.h"

#include <limits>
#include <utility>

#include "carrowin/automation/error.h"
#include "automation/decimal_text.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kComponent = u"CarrowinZVK";
constexpr std::u16string_view kObjectName = u"Drel";
constexpr uint8_t kScreenFunctionCode = 'H';
}  // namespace

Drel::Drel(HostFactories factories) : factories_(std::move(factories)) {
  // A trace of its own, so the object can report before it is bound.
  traceWriter_ = factories_.CreateProcessTrace()->GetTraceWriter(kComponent, kObjectName);
  errorReporter_ = traceWriter_->GetErrorReporter();
}

Drel::~Drel() = default;

void Drel::Initialize(const std::shared_ptr<ProcessTrace>& trace,
                      const std::shared_ptr<MessageSender>& sender, int32_t bufferSize,
                      int32_t terminalNumber) {
  if (!trace) RaiseError(errors::kObjectNotSet, u"Drel.Initialize");
  traceWriter_ = trace->GetTraceWriter(kComponent, kObjectName);
  traceWriter_->Trace(3, u"Initialize", u"Trace created");
  errorReporter_ = traceWriter_->GetErrorReporter();
  messageSender_ = sender;
  outBuf_ = factories_.CreateCircBuffer();
  outBuf_->SetSize(bufferSize);
  terminalNumber_ = terminalNumber;
}

void Drel::Terminate() {
  messageSender_.reset();
  parameters_.reset();
}

void Drel::SetParameters(std::shared_ptr<carrowin::Parameters> parameters) {
  parameters_ = std::move(parameters);
}

CircBuffer& Drel::OutBuf() const {
  if (!outBuf_) RaiseError(errors::kObjectNotSet, u"Drel", u"The Drel object is not initialised");
  return *outBuf_;
}

void Drel::StartMessage(int32_t terminalNumber, uint8_t functionCode) {
  CircBuffer& buffer = OutBuf();
  functionCode_ = functionCode;
  buffer.Reset();
  buffer.PutStr(DecimalText(terminalNumber));
  buffer.PutByte(functionCode);
  headerLength_ = buffer.Length();
}

void Drel::SendData() {
  CircBuffer& buffer = OutBuf();
  if (!messageSender_) return;
  const int32_t length = buffer.Length();
  if (length == headerLength_ && functionCode_ == kScreenFunctionCode) return;
  if (length < 1) return;
  std::vector<uint8_t> message(static_cast<size_t>(length));
  buffer.Get(length, message);
  messageSender_->Send(message);
}

void Drel::CheckForSend(int32_t size) {
  const int64_t length = OutBufLen();
  if (length + size > kMessageLimit) {
    SendData();
    StartMessage(terminalNumber_, functionCode_);
  }
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

void Drel::OutBufReset() { OutBuf().Reset(); }

void Drel::OutBufPutCh(uint8_t byte) { OutBuf().PutByte(byte); }

void Drel::OutBufPut(int32_t length, const std::vector<uint8_t>& data) {
  OutBuf().Put(length, data);
}

void Drel::OutBufPutStr(std::u16string_view data) { OutBuf().PutStr(data); }

int32_t Drel::OutBufLen() const { return OutBuf().Length(); }

}  // namespace carrowin
