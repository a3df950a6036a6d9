// Inbound messages from the radio side, as the worker hands them to a
// terminal: the input is split at each newline into messages, each headed by
// the terminal number's digits (none, one or more) and then its function
// code, so PositionFC is the number of leading digits. Each message lies in a
// longer receive buffer whose bytes past its Length are stale. The terminal
// shows one of two pages with entry fields, publishes its status at level 3,
// and its page and terminal events answer with screen commands, as an
// application's would. After every processing cycle the harness checks that
// each message sent is framed, that the status record holds only its own keys
// with sound values, and that no field is left muted or took a stale byte; at
// the end, that an entry with a function key is still taken and answered.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/carrowin.h"
#include "support/invariant.h"

namespace carrowin::fuzzing {
namespace {

constexpr int32_t kTerminal = 7;
constexpr std::u16string_view kRecord = u"T1";

// A receive buffer's bytes past the message, and the character they are in
// the host's ANSI code page.
constexpr uint8_t kStaleByte = 0xFE;
constexpr char16_t kStaleCharacter = u'\u00FE';
constexpr size_t kStaleBytes = 16;

// The keys the status record may hold at level 3.
const std::set<std::u16string, std::less<>> kStatusKeys = {
    u"statusOnline",        u"statusScreen",      u"statusScreenChangeTime", u"statusExecuting",
    u"statusExecStartTime", u"statusExecEndTime", u"statusFunctionCode",     u"statusResponseType"};

// The terminal's record, remembering every key written once it runs.
class WatchedSettings : public MemoryObjectSettings {
 public:
  WatchedSettings(std::shared_ptr<MemorySettingsStore> store,
                  std::shared_ptr<std::set<std::u16string, std::less<>>> written)
      : MemoryObjectSettings(std::move(store)), written_(std::move(written)) {}

  void SetSetting(std::u16string_view key, const Variant& value) override {
    written_->emplace(key);
    MemoryObjectSettings::SetSetting(key, value);
  }

 private:
  std::shared_ptr<std::set<std::u16string, std::less<>>> written_;
};

void CheckFramed(std::span<const uint8_t> message) {
  const std::string_view text(reinterpret_cast<const char*>(message.data()), message.size());
  Check(text.starts_with("7") && text.size() > 1 && (text[1] < '0' || text[1] > '9'),
        "a message begins with the terminal's number");
  switch (text[1]) {
    case 'H':
      Check(text.size() > 2, "a screen message holds commands");
      break;
    case 'a':
    case 'd':
    case 'A':
      Check(text.size() == 2, "a control message is its header alone");
      break;
    default:
      Check(false, "a message has a function code the encoder writes");
  }
}

class Harness {
 public:
  Harness() {
    store_->SetSetting(u"Terminal", kRecord, u"TerminalId", Variant(kTerminal));
    store_->SetSetting(u"Terminal", kRecord, u"statusUpdateLevel", Variant(int32_t{3}));
    HostFactories factories;
    // Quiet traces: the errors of malformed messages are expected here.
    factories.processTrace = [] { return std::make_shared<MemoryProcessTrace>(0); };
    factories.objectSettings = [s = store_, w = written_] {
      return std::make_shared<WatchedSettings>(s, w);
    };
    factories.settingsEraser = [s = store_] { return std::make_shared<MemorySettingsEraser>(s); };
    terminal_ = Terminal::Create(factories);
    terminal_->Initialize(std::make_shared<InProcessConnection>(sender_), kRecord);
    terminal_->SetThread(thread_);
    LoadParameters();
    BuildPages();
    ConnectHandlers();
    menu_->Display(u"Choice");
    terminal_->Drel()->SendData();
    CheckSent();
    written_->clear();
  }

  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;
  ~Harness() { terminal_->Terminate(); }

  void Cycle(std::span<const uint8_t> message) {
    int32_t positionFC = 0;
    while (static_cast<size_t>(positionFC) < message.size() && message[positionFC] >= '0' &&
           message[positionFC] <= '9') {
      ++positionFC;
    }
    // A stopped terminal takes no more messages.
    if (static_cast<size_t>(positionFC) >= message.size() || thread_->Stopped()) return;
    // The message in a longer receive buffer, whose stale bytes lie past its
    // Length; the message's own bytes never include the stale byte.
    std::vector<uint8_t> buffer(message.begin(), message.end());
    std::replace(buffer.begin(), buffer.end(), kStaleByte, uint8_t{'?'});
    const auto length = static_cast<int32_t>(buffer.size());
    const uint8_t functionCode = buffer[static_cast<size_t>(positionFC)];
    buffer.resize(buffer.size() + kStaleBytes, kStaleByte);
    thread_->Post(std::make_shared<InProcessInboundMessage>(std::move(buffer), length, functionCode,
                                                            positionFC));
    const int64_t endedBefore = thread_->EndedMessages();
    terminal_->ExecuteBackground();
    Check(thread_->PendingMessages() == 0, "a cycle takes the message posted");
    CheckSent();
    CheckStatus(thread_->EndedMessages() > endedBefore);
    for (const auto& field : fields_) {
      Check(!field->UpdatingFromTerminal(), "no field is left updating from the terminal");
      Check(field->RawData().find(kStaleCharacter) == std::u16string::npos,
            "a field takes no byte past the message's end");
    }
  }

  // An entry in field 5 of the page shown, sent with a function key, is
  // taken and the key's event raised and answered, however the messages
  // before were garbled; unless one of them terminated the terminal.
  void CheckStillAnswers() {
    if (thread_->Stopped()) return;
    const std::shared_ptr<Page> shown =
        terminal_->Pages()->Item(Variant(terminal_->CurrentScreen()));
    Check(shown != nullptr, "one of the pages is on the screen");
    const int32_t keysBefore = keys_;
    const size_t sentBefore = sender_->Messages().size();
    const std::string_view message = "7R=54abcdF35";
    Cycle(std::vector<uint8_t>(message.begin(), message.end()));
    Check(shown->Fields()->Item(Variant(int32_t{5}))->RawData() == u"abcd",
          "the entry reaches the field on the screen");
    Check(keys_ == keysBefore + 1, "a function key after any messages raises its event");
    Check(sender_->Messages().size() > sentBefore, "the function key is answered");
    Check(store_->GetSetting(u"Terminal", kRecord, u"statusResponseType").ToString() ==
              u"Function Key",
          "the status names the function key");
  }

 private:
  void LoadParameters() {
    // Model 1, version 70, 40 virtual columns, 16 rows, 192 fields.
    const std::vector<int32_t> values = {1, 70, 0, 0, 20, 0xA8, 4, 0};
    std::vector<uint8_t> reply = {'!'};
    for (int32_t value : values) reply.push_back(static_cast<uint8_t>(value + 48));
    terminal_->Parameters()->LoadData(reply, 1);
  }

  void BuildPages() {
    menu_ = terminal_->Pages()->Add(u"Menu");
    menu_->SetPageNumber(1);
    menu_->Fields()->AddText(1, u"Title", 1, 1, u"Menu");
    fields_.push_back(menu_->Fields()->AddEntry(5, u"Choice", 3, 1, 4));
    fields_.push_back(menu_->Fields()->AddEntry(6, u"Code", 4, 1, 12));
    detail_ = terminal_->Pages()->Add(u"Detail");
    detail_->SetPageNumber(2);
    detail_->Fields()->AddText(1, u"Title", 1, 1, u"Detail");
    fields_.push_back(detail_->Fields()->AddEntry(5, u"Amount", 2, 1, 8));
    fields_.push_back(detail_->Fields()->AddEntry(7, u"Note", 4, 1, 20));
  }

  // Handlers hold the objects weakly: the pages own their events.
  void ConnectHandlers() {
    const std::weak_ptr<Terminal> terminal = terminal_;
    const std::weak_ptr<Page> menu = menu_;
    const std::weak_ptr<Page> detail = detail_;
    menu_->evtFunctionKey.Connect([this, detail, terminal](int32_t&, std::u16string&) {
      ++keys_;
      detail.lock()->Display(u"Amount");
      terminal.lock()->Bell();
    });
    detail_->evtFunctionKey.Connect([this, menu, detail](int32_t& key, std::u16string&) {
      ++keys_;
      if (key == 1) {
        menu.lock()->Display(u"Choice");
      } else {
        detail.lock()->StartEntry(u"Note");
      }
    });
    menu_->evtTransmitOnEntry.Connect(
        [menu](std::u16string&) { menu.lock()->StartEntry(u"Code"); });
    detail_->evtTransmitOnEntry.Connect(
        [detail](std::u16string&) { detail.lock()->StartEntryAdv(u"Note", u"Next"); });
    menu_->evtHeyYou.Connect([menu](std::u16string&) { menu.lock()->Display(u""); });
    detail_->evtSerialInput.Connect(
        [terminal](int32_t&, std::u16string&) { terminal.lock()->Bell(); });
    terminal_->evtOnline.Connect([menu] { menu.lock()->Display(u"Choice"); });
    terminal_->evtInitialized.Connect([terminal] { terminal.lock()->Bell(); });
  }

  void CheckSent() {
    const auto messages = sender_->Messages();
    for (size_t i = checked_; i < messages.size(); ++i) CheckFramed(messages[i]);
    checked_ = messages.size();
  }

  void CheckStatus(bool cycleEnded) {
    for (const auto& key : *written_) {
      Check(kStatusKeys.contains(key), "only the status record's keys are written");
    }
    const Variant online = store_->GetSetting(u"Terminal", kRecord, u"statusOnline");
    Check(online.IsEmpty() || online.ToLong() == -1 || online.ToLong() == 0,
          "statusOnline is True or False");
    Check(store_->GetSetting(u"Terminal", kRecord, u"statusScreen").ToString() ==
              terminal_->CurrentScreen(),
          "the status names the page on the screen");
    if (cycleEnded) {
      Check(store_->GetSetting(u"Terminal", kRecord, u"statusExecuting").ToLong() == 0,
            "a finished cycle is not executing");
    }
  }

  std::shared_ptr<MemorySettingsStore> store_ = std::make_shared<MemorySettingsStore>();
  std::shared_ptr<std::set<std::u16string, std::less<>>> written_ =
      std::make_shared<std::set<std::u16string, std::less<>>>();
  std::shared_ptr<RecordingMessageSender> sender_ = std::make_shared<RecordingMessageSender>();
  std::shared_ptr<InProcessThread> thread_ = std::make_shared<InProcessThread>();
  std::shared_ptr<Terminal> terminal_;
  std::shared_ptr<Page> menu_;
  std::shared_ptr<Page> detail_;
  std::vector<std::shared_ptr<Field>> fields_;
  size_t checked_ = 0;
  int32_t keys_ = 0;
};

}  // namespace
}  // namespace carrowin::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  carrowin::fuzzing::Harness harness;
  const std::span<const uint8_t> input(data, size);
  // A bounded number of cycles keeps each input fast.
  int cycles = 0;
  for (auto from = input.begin(); from != input.end() && cycles < 64; ++cycles) {
    const auto end = std::find(from, input.end(), uint8_t{'\n'});
    harness.Cycle(std::span<const uint8_t>(from, end));
    from = end == input.end() ? end : end + 1;
  }
  harness.CheckStillAnswers();
  return 0;
}
