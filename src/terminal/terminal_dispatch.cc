// The two passes over an inbound message: the field updates, then the
// dispatch on the function code with the events it raises.
#include <string>

#include "carrowin/automation/object_factory_registry.h"
#include "carrowin/drel/drel.h"
#include "carrowin/params/parameters.h"
#include "carrowin/screen/field.h"
#include "carrowin/screen/fields.h"
#include "carrowin/screen/page.h"
#include "carrowin/screen/pages.h"
#include "carrowin/terminal/terminal.h"
#include "carrowin/terminal/transaction_interpreter.h"
#include "host/required_object.h"
#include "terminal/inbound_reader.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kDispatch = u"ProcessTerminalMessage";

// Function codes of inbound messages.
constexpr uint8_t kAbort = 'a';
constexpr uint8_t kInitialized = 'I';
constexpr uint8_t kOffline = 'F';
constexpr uint8_t kOfflineAlso = 'A';
constexpr uint8_t kTerminate = '&';
constexpr uint8_t kInitialize = '^';
constexpr uint8_t kResponse = 'R';
constexpr uint8_t kInitInterpreter = 'i';

// Response record types.
constexpr uint8_t kFunctionKey = 'F';
constexpr uint8_t kTransmitOnEntry = '%';
constexpr uint8_t kHeyYou = '?';
constexpr uint8_t kParameterQuery = '!';
constexpr uint8_t kFieldUpdate = '=';
constexpr uint8_t kSerialInput = '<';
constexpr uint8_t kRead = 'R';
constexpr uint8_t kReadModified = 'M';

// Terminal models and versions that answer a read request; the others are
// asked for their parameters.
constexpr int16_t kModelWithOwnVersions = 82;
constexpr int16_t kReadRequestVersion = 68;

// Sets the field's "updating from terminal" state for one assignment and
// restores it on every path, so a failure cannot leave the field muted.
class UpdatingFromTerminal {
 public:
  explicit UpdatingFromTerminal(Field& field) : field_(field) {
    field_.SetUpdatingFromTerminal(true);
  }
  ~UpdatingFromTerminal() { field_.SetUpdatingFromTerminal(false); }
  UpdatingFromTerminal(const UpdatingFromTerminal&) = delete;
  UpdatingFromTerminal& operator=(const UpdatingFromTerminal&) = delete;

 private:
  Field& field_;
};
}  // namespace

void Terminal::HandleInboundMessage(std::span<const uint8_t> bData, int32_t lLength,
                                    uint8_t bFunctionCode, int32_t lPositionFC) {
  ProcessFieldUpdates(bData, lLength, bFunctionCode, lPositionFC);
  ProcessTerminalMessages(bData, lLength, bFunctionCode, lPositionFC);
}

void Terminal::ProcessFieldUpdates(std::span<const uint8_t> bData, int32_t lLength,
                                   uint8_t bFunctionCode, int32_t lPositionFC) {
  if (bFunctionCode != kResponse) return;
  try {
    const InboundReader message(bData, lLength);
    const std::shared_ptr<Page> page =
        RequireObject(pages_, u"Terminal", u"The terminal is not initialised")
            ->Item(Variant(currentScreen_));
    for (int64_t i = int64_t{lPositionFC} + 1; message.Within(i);) {
      const uint8_t type = message.Byte(i++);
      if (type == kFunctionKey) {
        i += 2;
      } else if (type == kTransmitOnEntry) {
        i += 1;
      } else if (type == kRead) {
        continue;
      } else if (type == kParameterQuery) {
        RequireObject(parameters_, u"Terminal", u"The terminal is not initialised")
            ->LoadData(message.Data(), static_cast<int32_t>(i));
        return;
      } else if (type == kFieldUpdate) {
        const int32_t fieldNumber = message.SmallNumber(i++);
        const int32_t length = message.DataLength(i);
        i += message.LengthCodeSize(i);
        const std::shared_ptr<Field> field =
            page ? page->Fields()->Item(Variant(fieldNumber)) : nullptr;
        if (field) {
          {
            const UpdatingFromTerminal updating(*field);
            field->SetData(message.Text(RequireDrel().Codepage(), i, length));
          }
          field->SetTouched(true);
        }
        i += length;
      } else {
        return;  // "?", "<", and every record the first pass does not read
      }
    }
  } catch (...) {
    ReportCurrentException(*errorReporter_, u"ProcessFieldUpdates");
  }
}

void Terminal::ProcessTerminalMessages(std::span<const uint8_t> bData, int32_t lLength,
                                       uint8_t bFunctionCode, int32_t lPositionFC) {
  // The dispatch's own handler covers the message until its first group of
  // events; after that an error reaches the caller.
  bool handlerActive = true;
  try {
    const InboundReader message(bData, lLength);
    DispatchMessage(message, bFunctionCode, lPositionFC, handlerActive);
  } catch (...) {
    if (!handlerActive) throw;
    ReportCurrentException(*errorReporter_, kDispatch);
  }
}

template <class Step>
void Terminal::IgnoringErrors(bool& handlerActive, Step&& step) {
  handlerActive = false;
  try {
    step();
  } catch (...) {
    // A record whose values cannot be read raises no event; the message goes on.
  }
}

void Terminal::DispatchMessage(const InboundReader& message, uint8_t bFunctionCode,
                               int32_t lPositionFC, bool& handlerActive) {
  std::u16string line = u"FunctionCode: ";
  line += static_cast<char16_t>(bFunctionCode);
  traceWriter_->Trace(2, kDispatch, line);
  lastFunctionCode_ = bFunctionCode;
  lastResponseType_ = 0;
  if (bFunctionCode != kInitialize && bFunctionCode != kInitInterpreter &&
      bFunctionCode != kAbort) {
    SetStatusOnline();
  }
  UpdateFunctionStatus();
  switch (bFunctionCode) {
    case kAbort:
      SetStatusOffline();
      RequireDrel().AbortTerminal();
      break;
    case kInitialized:
      AnswerInitialized();
      break;
    case kOffline:
    case kOfflineAlso:
      IgnoringErrors(handlerActive, [&] { SetStatusOffline(); });
      IgnoringErrors(handlerActive, [&] { RaiseOffline(); });
      break;
    case kTerminate:
      SetStatusOffline();
      Terminate();
      break;
    case kInitialize:
      Reattach();
      break;
    case kResponse:
      DispatchResponse(message, lPositionFC, handlerActive);
      break;
    case kInitInterpreter:
      StartInterpreter();
      break;
    default:
      break;  // "O", "H", "X", "d" and unknown codes only update the status
  }
}

void Terminal::AnswerInitialized() {
  const carrowin::Parameters& parameters =
      *RequireObject(parameters_, u"Terminal", u"The terminal is not initialised");
  const int16_t model = parameters.Model();
  const int16_t version = parameters.Version();
  // A terminal whose parameters are unknown, or that may have changed, is
  // asked for them; the others only for their screen.
  if ((model == 0 && version == 0) || (model == kModelWithOwnVersions && version >= 1) ||
      (model != kModelWithOwnVersions && version < kReadRequestVersion)) {
    RequireDrel().ParameterQuery();
  } else {
    RequireDrel().StartRRequest();
  }
}

void Terminal::Reattach() {
  SetStatusOffline();
  traceWriter_->Trace(1, kDispatch, u"Detaching terminal");
  RequireDrel().DetachTerminal();
  traceWriter_->Trace(1, kDispatch, u"Attaching terminal");
  RequireDrel().AttachTerminal();
}

void Terminal::DispatchResponse(const InboundReader& message, int32_t lPositionFC,
                                bool& handlerActive) {
  RequireDrel().StartMessage(terminalID_, 'H');
  for (int64_t i = int64_t{lPositionFC} + 1; message.Within(i);) {
    const uint8_t type = message.Byte(i++);
    lastResponseType_ = type;
    if (type == kFunctionKey && currentPageNumber_ < 0) {
      // A key from a screen this object never drew: the terminal must start over.
      Reattach();
      return;
    }
    switch (type) {
      case kFunctionKey:
        UpdateFunctionStatus();
        SetApplicationMode(true);
        IgnoringErrors(handlerActive, [&] {
          int32_t key = message.SmallNumber(i);
          RaiseFunctionKey(key, message.SmallNumber(i + 1));
        });
        i += 2;
        break;
      case kTransmitOnEntry:
        UpdateFunctionStatus();
        SetApplicationMode(true);
        IgnoringErrors(handlerActive, [&] { RaiseTransmitOnEntry(message.SmallNumber(i)); });
        i += 1;
        break;
      case kHeyYou:
        UpdateFunctionStatus();
        SetApplicationMode(true);
        IgnoringErrors(handlerActive, [&] {
          const int32_t length = message.DataLength(i);
          std::u16string text =
              message.Text(RequireDrel().Codepage(), i + message.LengthCodeSize(i), length);
          RaiseHeyYou(text);
        });
        return;
      case kParameterQuery:
        UpdateFunctionStatus();
        IgnoringErrors(handlerActive, [&] { RaiseInitialized(); });
        IgnoringErrors(handlerActive, [&] { RaiseOnline(); });
        return;
      case kFieldUpdate:
        i += 1;
        {
          const int32_t length = message.DataLength(i);
          i += message.LengthCodeSize(i) + int64_t{length};
        }
        break;
      case kSerialInput:
        UpdateFunctionStatus();
        SetApplicationMode(true);
        IgnoringErrors(handlerActive, [&] {
          int32_t port = message.SmallNumber(i);
          const int32_t length = message.DataLength(i + 1);
          std::u16string text =
              message.Text(RequireDrel().Codepage(), i + 1 + message.LengthCodeSize(i + 1), length);
          RaiseSerialInput(port, text);
        });
        return;
      case kRead:
      case kReadModified:
        RequireDrel().ParameterQuery();
        break;
      default:
        return;
    }
  }
}

void Terminal::StartInterpreter() {
  SetApplicationMode(false);
  try {
    // An object of another kind cannot be initialised as an interpreter.
    interpreter_ = std::dynamic_pointer_cast<TransactionInterpreter>(
        ObjectFactoryRegistry::Process().CreateObject(TransactionInterpreter::kProgID));
  } catch (...) {
    interpreter_.reset();
  }
  if (!interpreter_) {
    errorReporter_->SetDescription(u"Unable to Execute Initialize Method For Interpreter");
    errorReporter_->Report(false, 1, 6004, kDispatch);
  } else {
    interpreter_->Initialize(shared_from_this(), objectSettings_);
  }
  const std::u16string transactionSet =
      interpreter_
          ? RequireObject(objectSettings_, u"Terminal", u"The interpreter gave no settings")
                ->GetSetting(u"TransactionSet", Variant(u""))
                .ToString()
          : std::u16string();
  if (!transactionSet.empty() && !interpreter_->LoadTransactionSet(transactionSet).ToBoolean()) {
    std::u16string description = u"Could Not Create TransactionSet '";
    description.append(transactionSet).append(u".TransactionSet'");
    errorReporter_->SetDescription(description);
    errorReporter_->Report(false, 1, 6001, kDispatch);
    interpreter_.reset();
  }
}

}  // namespace carrowin
