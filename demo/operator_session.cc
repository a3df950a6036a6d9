#include "operator_session.h"

#include <string>
#include <utility>

namespace carrowin::demo {

namespace {

/// The worker queue, transcribing each inbound message as the terminal takes it.
class TranscribedWorker : public InProcessThread {
 public:
  explicit TranscribedWorker(WireTranscript& transcript) : transcript_(transcript) {}

  std::shared_ptr<InboundMessage> NextMessage() override {
    std::shared_ptr<InboundMessage> message = InProcessThread::NextMessage();
    if (message) transcript_.Inbound(message->DataBytes());
    return message;
  }

 private:
  WireTranscript& transcript_;
};

// The library's trace would mix its lines, with their times, into the
// transcript; the demo keeps none.
HostFactories Quiet() {
  HostFactories factories;
  factories.processTrace = [] { return std::make_shared<MemoryProcessTrace>(0); };
  return factories;
}

}  // namespace

std::u16string TerminalRecord(int32_t number) {
  // Appended piece by piece: gcc's optimiser warns falsely about "T" + string.
  std::u16string id = u"T";
  id += FromUtf8(std::to_string(number));
  return id;
}

OperatorSession::OperatorSession(int32_t terminalNumber, std::ostream& out,
                                 const std::optional<std::filesystem::path>& pictureFolder)
    : out_(out),
      sim_(SimTerminal::Create({.terminalNumber = terminalNumber})),
      transcript_(out, sim_->Options()),
      worker_(std::make_shared<TranscribedWorker>(transcript_)),
      terminal_(Terminal::Create(Quiet())) {
  sim_->SetInboundThread(worker_);
  const auto toTerminal = [this, sender = sim_->Sender()](std::span<const uint8_t> message) {
    transcript_.Outbound(message);
    sender->Send(message);
  };
  terminal_->Initialize(
      std::make_shared<InProcessConnection>(std::make_shared<CallbackMessageSender>(toTerminal)),
      TerminalRecord(terminalNumber));
  terminal_->SetThread(worker_);
  app_ = std::make_unique<WarehouseApp>(terminal_);
  if (pictureFolder) pictures_.emplace(*pictureFolder, terminalNumber);
}

OperatorSession::~OperatorSession() { terminal_->Terminate(); }

void OperatorSession::RunScript() {
  Step("power on", [&] { sim_->PowerOn(); });
  Step("F1 asks for help", [&] { sim_->PressKey(1); });
  Step("ANNA signs on", [&] {
    sim_->Type(u"ANNA");
    sim_->Enter();
  });
  Step("1 starts picking", [&] {
    sim_->Type(u"1");
    sim_->Enter();
  });
  Step("a scan of the wrong shelf", [&] { sim_->Scan(u"B-02-1"); });
  Step("the right shelf", [&] { sim_->Scan(u"A-01-3"); });
  Step("the item", [&] { sim_->Scan(u"4006381"); });
  Step("the quantity", [&] {
    sim_->Type(u"3");
    sim_->Enter();
  });
  Step("Y confirms: the label prints, the next line shows", [&] { sim_->AnswerHeyYou(u"Y"); });
  Step("F2 goes back to the menu", [&] { sim_->PressKey(2); });
  Step("2 signs off", [&] {
    sim_->Type(u"2");
    sim_->Enter();
  });
}

void OperatorSession::RunConsole(std::istream& in) {
  out_ << "Type text and Enter; :F1 to :F9 press a key, :scan CODE scans, :quit ends.\n";
  Step("power on", [&] { sim_->PowerOn(); });
  for (std::string line; out_ << "> " << std::flush, std::getline(in, line) && line != ":quit";) {
    try {
      const std::u16string text = FromUtf8(line);
      Step(line, [&] {
        if (text.size() == 3 && text.starts_with(u":F") && text[2] >= u'1' && text[2] <= u'9') {
          sim_->PressKey(text[2] - u'0');
        } else if (text.starts_with(u":scan ")) {
          sim_->Scan(std::u16string_view(text).substr(6));
        } else if (sim_->State().heyYou) {
          sim_->AnswerHeyYou(text);
        } else {
          sim_->Type(text);
          sim_->Enter();
        }
      });
    } catch (const Error& error) {
      out_ << "the terminal refuses: " << ToUtf8(error.Description()) << "\n\n";
    }
  }
  out_ << '\n';
}

void OperatorSession::Step(std::string_view title, const std::function<void()>& action) {
  out_ << "=== " << title << '\n';
  action();
  Settle();
  ShowTerminal();
  if (pictures_) pictures_->Save(title, sim_->SnapshotPicture());
}

void OperatorSession::Settle() {
  while (worker_->PendingMessages() > 0) terminal_->ExecuteBackground();
}

void OperatorSession::ShowTerminal() {
  const SimState state = sim_->State();
  out_ << sim_->Snapshot();
  for (size_t i = shown_.printerPackets.size(); i < state.printerPackets.size(); ++i) {
    const SimPrinterPacket& packet = state.printerPackets[i];
    std::string text = ToUtf8(packet.text);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    out_ << "printer port " << packet.port << " printed \"" << text << "\"\n";
  }
  if (state.vibrations.size() > shown_.vibrations.size()) out_ << "the terminal vibrated\n";
  if (state.bells > shown_.bells) out_ << "the bell rang\n";
  out_ << '\n';
  shown_ = state;
}

}  // namespace carrowin::demo
