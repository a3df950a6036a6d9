// Drives one encoder with operations chosen by the fuzz input: every command
// with arguments in and out of range, texts of any characters through any
// code page, message starts, sends, resets and control messages. Checks after
// each operation that every message sent is framed and that a command which
// raises has written none of its bytes.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/drel/drel.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/host/growing_circ_buffer.h"
#include "carrowin/host/memory_process_trace.h"
#include "carrowin/params/parameters.h"
#include "support/invariant.h"

namespace {

using carrowin::CircBuffer;
using carrowin::Drel;
using carrowin::fuzzing::Check;

// The encoder's output buffer, whose bytes the harness can look at.
class VisibleBuffer : public CircBuffer {
 public:
  void SetSize(int32_t) override {}
  void Reset() override { bytes.clear(); }
  void PutByte(uint8_t byte) override { bytes.push_back(byte); }
  void Put(int32_t count, const std::vector<uint8_t>& data) override {
    Check(count >= 0 && static_cast<size_t>(count) <= data.size(), "Put within its array");
    bytes.insert(bytes.end(), data.begin(), data.begin() + count);
  }
  // As the library's own buffer: a character without a one-byte form is
  // refused whole.
  void PutStr(std::u16string_view text) override {
    for (char16_t c : text) {
      if (c > 0xFF) carrowin::RaiseError(carrowin::errors::kInvalidProcedureCall, u"VisibleBuffer");
    }
    bytes.insert(bytes.end(), text.begin(), text.end());
  }
  int32_t Length() const override { return static_cast<int32_t>(bytes.size()); }
  void Get(int32_t count, std::vector<uint8_t>& data) override {
    Check(count >= 0 && static_cast<size_t>(count) <= bytes.size(), "Get within the buffer");
    std::copy_n(bytes.begin(), count, data.begin());
    bytes.erase(bytes.begin(), bytes.begin() + count);
  }

  std::vector<uint8_t> bytes;
};

// The length of the header at the start of `message`: a terminal number as
// a 32-bit integer prints it, then one function code; 0 when there is none.
size_t HeaderLength(std::span<const uint8_t> message) {
  size_t i = 0;
  if (i < message.size() && message[i] == '-') ++i;
  const size_t digitsFrom = i;
  while (i < message.size() && message[i] >= '0' && message[i] <= '9') ++i;
  if (i == digitsFrom || i >= message.size()) return 0;
  const std::string number(message.begin(), message.begin() + static_cast<std::ptrdiff_t>(i));
  const long long value = std::strtoll(number.c_str(), nullptr, 10);
  if (value < INT32_MIN || value > INT32_MAX || std::to_string(value) != number) return 0;
  return i + 1;
}

void CheckFramed(std::span<const uint8_t> message) {
  const size_t header = HeaderLength(message);
  Check(header > 0, "a message begins with a terminal number and a function code");
  const uint8_t functionCode = message[header - 1];
  if (functionCode == 'H') Check(message.size() > header, "a screen message holds commands");
  if (functionCode == 'a' || functionCode == 'd' || functionCode == 'A') {
    Check(message.size() == header, "a control message is its header alone");
  }
}

std::u16string Text(FuzzedDataProvider& in) {
  std::u16string text;
  if (in.ConsumeIntegralInRange(0, 7) == 0) {
    // Long runs reach the flush and the largest length code.
    const char16_t c = in.ConsumeIntegral<char16_t>();
    text.assign(in.ConsumeIntegralInRange<size_t>(0, 44000), c);
    return text;
  }
  const size_t length = in.ConsumeIntegralInRange<size_t>(0, 48);
  for (size_t i = 0; i < length && in.remaining_bytes() > 0; ++i) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0:
        text.push_back(static_cast<char16_t>(in.ConsumeIntegralInRange(0x20, 0x7E)));
        break;
      case 1:
        text.push_back(static_cast<char16_t>(in.ConsumeIntegralInRange(0x00, 0xFF)));
        break;
      case 2:
        text.push_back(static_cast<char16_t>(in.ConsumeIntegralInRange(0xD7F0, 0xDFFF)));
        break;
      default:
        text.push_back(in.ConsumeIntegral<char16_t>());
    }
  }
  return text;
}

int32_t Number(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(-50, 260) : in.ConsumeIntegral<int32_t>();
}

constexpr int32_t kCodePages[] = {0, 1252, 1255, 1256, 932, 936, 949, 950, 437, 65001, 12345};

class Harness {
 public:
  explicit Harness(FuzzedDataProvider& in)
      : in_(in),
        buffer_(std::make_shared<VisibleBuffer>()),
        drel_(carrowin::HostFactories{.processTrace = factories_.processTrace,
                                      .circBuffer = [b = buffer_] { return b; }}) {
    auto trace = std::make_shared<carrowin::MemoryProcessTrace>(0);
    auto sender =
        std::make_shared<carrowin::CallbackMessageSender>([this](std::span<const uint8_t> message) {
          CheckFramed(message);
          lastSent_.assign(message.begin(), message.end());
          ++sent_;
        });
    terminal_ =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 999) : in.ConsumeIntegral<int32_t>();
    drel_.Initialize(trace, sender, 512, terminal_);
  }

  void Step() {
    const std::vector<uint8_t> before = buffer_->bytes;
    const size_t sentBefore = sent_;
    const int op = in_.ConsumeIntegralInRange(0, 47);
    bool raised = false;
    try {
      Apply(op);
    } catch (const carrowin::Error&) {
      raised = true;
    }
    Check(drel_.OutBufLen() == buffer_->Length(), "OutBufLen is the buffer's length");
    if (raised) {
      // Room may have been made (a message sent, a header written), but no
      // byte of the refused command is in the buffer.
      const bool unchanged = buffer_->bytes == before && sent_ == sentBefore;
      const bool headerOnly =
          !buffer_->bytes.empty() && HeaderLength(buffer_->bytes) == buffer_->bytes.size();
      const bool sentOnlyWhatWasThere =
          sent_ == sentBefore || (sent_ == sentBefore + 1 && lastSent_ == before);
      Check(unchanged || (headerOnly && sentOnlyWhatWasThere),
            "a command that raises writes none of its bytes");
    }
  }

 private:
  void Apply(int op) {
    carrowin::GrowingCircBuffer& list = list_;
    switch (op) {
      case 0:
        drel_.StartMessage(in_.ConsumeBool() ? terminal_ : Number(in_),
                           in_.ConsumeBool() ? 'H' : 'X');
        break;
      case 1:
        drel_.SendData();
        break;
      case 2:
        drel_.OutBufReset();
        break;
      case 3:
        drel_.AttachTerminal();
        break;
      case 4:
        drel_.DetachTerminal();
        break;
      case 5:
        drel_.AbortTerminal();
        break;
      case 6:
        drel_.RequestTerminalRStatus(terminal_);
        break;
      case 7:
        // Raw bytes only inside a message: alone they would be an
        // application's own framing, which the harness cannot check.
        if (!buffer_->bytes.empty()) drel_.OutBufPutCh(in_.ConsumeIntegral<uint8_t>());
        break;
      case 8:
        drel_.SendRawData(Text(in_));
        break;
      case 9:
        drel_.SelectPage(Number(in_));
        break;
      case 10:
        drel_.DisplayPage(Number(in_));
        break;
      case 11:
        drel_.OpenField(Number(in_));
        break;
      case 12:
        drel_.FixedField(Number(in_), Number(in_), Number(in_), Text(in_));
        break;
      case 13: {
        int32_t style = Number(in_), flags = Number(in_);
        drel_.InitField(Number(in_), Number(in_), Number(in_), style, flags, Number(in_));
        break;
      }
      case 14:
        drel_.UpdateField(Number(in_), Text(in_));
        break;
      case 15:
        drel_.UpdateFieldWithMaxLen(Number(in_), Text(in_), Number(in_));
        break;
      case 16:
        drel_.ClearField(Number(in_));
        break;
      case 17:
        drel_.ClearAll();
        break;
      case 18:
        drel_.EraseField(Number(in_));
        break;
      case 19:
        drel_.EraseAll();
        break;
      case 20: {
        int32_t style = Number(in_), flags = Number(in_);
        drel_.SetFieldCharact(Number(in_), style, flags);
        break;
      }
      case 21:
        drel_.VisibleMatch(Number(in_), Text(in_));
        break;
      case 22:
        drel_.HiddenMatch(Number(in_), Text(in_));
        break;
      case 23:
        drel_.MoveCursor(Number(in_));
        break;
      case 24: {
        int32_t bits = Number(in_);
        drel_.Bits(Number(in_), bits);
        break;
      }
      case 25:
        drel_.Bell();
        break;
      case 26:
        drel_.Advisory(Number(in_), Text(in_));
        break;
      case 27:
        drel_.AdvisoryNoOpen(Text(in_));
        break;
      case 28:
        drel_.HeyYou(Number(in_), Text(in_));
        break;
      case 29:
        drel_.ParameterQuery();
        break;
      case 30:
        drel_.StartRRequest();
        break;
      case 31:
        drel_.Wake(Number(in_));
        break;
      case 32:
        drel_.LockKeyboard();
        break;
      case 33:
        drel_.Milestone(Text(in_));
        break;
      case 34:
        drel_.SoftKey(Number(in_), Text(in_));
        break;
      case 35:
        drel_.DrelPrint(Number(in_), Number(in_), Number(in_));
        break;
      case 36:
        drel_.SetPrinterPortPassPacketSize(in_.ConsumeIntegralInRange(-2, 80));
        drel_.PrinterPortPass(Number(in_), Number(in_), Text(in_));
        break;
      case 37:
        drel_.UserSoundSend(Number(in_));
        break;
      case 38:
        drel_.VibrateSend(Number(in_), Number(in_), Number(in_));
        break;
      case 39:
        drel_.ScannerEnableSend(carrowin::Variant(Text(in_)));
        break;
      case 40:
        drel_.FieldBufferSizeSend(Number(in_), Number(in_));
        break;
      case 41:
        drel_.PushButtonFieldSend(Number(in_), Number(in_));
        break;
      case 42:
        drel_.SetColorSend(Number(in_), Number(in_), Number(in_));
        break;
      case 43:
        drel_.ExtendedFieldVideoSend(Number(in_), Number(in_));
        break;
      case 44: {
        // A command list built with the GetDrel forms, wrapped as a procedure.
        drel_.OpenFieldGetDrel(list, Number(in_));
        drel_.AdvisoryGetDrel(list, Number(in_), Text(in_), in_.ConsumeBool());
        drel_.UpdateFieldGetDrel(list, Number(in_), Text(in_), in_.ConsumeBool(), Number(in_));
        drel_.LocalProcedureSend(Number(in_), list);
        break;
      }
      case 45: {
        const int32_t codePage =
            kCodePages[in_.ConsumeIntegralInRange<size_t>(0, std::size(kCodePages) - 1)];
        drel_.SetCodepage(codePage);
        drel_.SetPrinterCodepage(codePage);
        drel_.SetHandleHebrewDisplay(in_.ConsumeBool());
        break;
      }
      case 46: {
        auto parameters = std::make_shared<carrowin::Parameters>(factories_);
        const std::vector<uint8_t> reply =
            in_.ConsumeBytes<uint8_t>(in_.ConsumeIntegralInRange(0, 10));
        try {
          parameters->LoadData(reply, in_.ConsumeIntegralInRange(-1, 3));
        } catch (const carrowin::Error&) {
          // A short reply keeps what was decoded before it ended.
        }
        drel_.SetParameters(parameters);
        break;
      }
      default:
        drel_.Terminate();
        break;
    }
  }

  FuzzedDataProvider& in_;
  // Quiet traces: the reports of untested code pages are expected here.
  carrowin::HostFactories factories_{
      [] { return std::make_shared<carrowin::MemoryProcessTrace>(0); }, {}, {}, {}};
  std::shared_ptr<VisibleBuffer> buffer_;
  Drel drel_;
  carrowin::GrowingCircBuffer list_;
  int32_t terminal_ = 0;
  size_t sent_ = 0;
  std::vector<uint8_t> lastSent_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Harness harness(in);
  while (in.remaining_bytes() > 0) harness.Step();
  return 0;
}
