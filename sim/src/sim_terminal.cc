#include "carrowin/sim/sim_terminal.h"

#include <utility>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "carrowin/drel/code_pages.h"
#include "carrowin/host/callback_message_sender.h"
#include "carrowin/sim/snapshot_svg.h"
#include "carrowin/sim/snapshot_text.h"
#include "message_reader.h"
#include "operator_actions.h"

namespace carrowin {

namespace {

constexpr std::u16string_view kSource = u"SimTerminal";

/// Options a parameter reply can carry and the code pages convert with.
void CheckOptions(const SimOptions& options) {
  const auto require = [](bool valid, std::u16string_view what) {
    if (!valid) RaiseError(errors::kInvalidProcedureCall, kSource, what);
  };
  for (const int32_t value : {options.model, options.version, options.features, options.config,
                              options.savedPages, options.application, options.scannerPort}) {
    require(value >= 0 && value <= 207, u"A terminal parameter outside 0 to 207");
  }
  require(options.virtualColumns >= 2 && options.virtualColumns <= 414 &&
              options.virtualColumns % 2 == 0,
          u"The virtual columns must be an even number from 2 to 414");
  require(options.virtualRows >= 2 && options.virtualRows <= 30 && options.virtualRows % 2 == 0,
          u"The virtual rows must be an even number from 2 to 30");
  require(options.maxField >= 32 && options.maxField <= 224 && options.maxField % 16 == 0,
          u"The field capacity must be 32 to 224 in steps of 16");
  require(IsCodePageAvailable(options.codePage) && IsCodePageAvailable(options.printerCodePage),
          u"A code page that is not available");
}

}  // namespace

std::shared_ptr<SimTerminal> SimTerminal::Create(SimOptions options) {
  CheckOptions(options);
  return std::make_shared<SimTerminal>(ConstructionKey{}, std::move(options));
}

SimTerminal::SimTerminal(ConstructionKey, SimOptions options) : options_(std::move(options)) {}

void SimTerminal::Receive(std::span<const uint8_t> message) {
  std::vector<std::vector<uint8_t>> replies;
  {
    const std::lock_guard lock(mutex_);
    const int64_t number = ++state_.messages;
    // Read on a copy: a strict terminal keeps nothing of a broken message.
    SimState working = state_;
    try {
      replies = MessageReader(options_, working, message, number).Read();
      state_ = std::move(working);
    } catch (const Error& error) {
      if (error.Number() != sim_errors::kProtocolError) throw;
      if (!options_.strict) state_ = std::move(working);
      state_.protocolErrors.push_back(error.Description());
      changed_.notify_all();
      throw;
    }
  }
  changed_.notify_all();
  for (const std::vector<uint8_t>& reply : replies) Post(reply);
}

std::shared_ptr<MessageSender> SimTerminal::Sender() {
  return std::make_shared<CallbackMessageSender>(
      [weak = weak_from_this()](std::span<const uint8_t> message) {
        const std::shared_ptr<SimTerminal> sim = weak.lock();
        if (!sim) return;
        try {
          sim->Receive(message);
        } catch (const Error& error) {
          // Recorded for the waits; the library's cycle goes on.
          if (error.Number() != sim_errors::kProtocolError) throw;
        }
      });
}

void SimTerminal::SetInboundThread(std::shared_ptr<InProcessThread> thread) {
  const std::lock_guard lock(mutex_);
  inboundThread_ = std::move(thread);
}

std::vector<uint8_t> SimTerminal::PowerOn() {
  return Act([](SimState& state) {
    state.Restart();
    return std::vector<uint8_t>{'I'};
  });
}

void SimTerminal::Type(std::u16string_view text) {
  Act([text](SimState& state) {
    TypeText(state, text);
    return std::vector<uint8_t>();
  });
}

std::vector<uint8_t> SimTerminal::Enter() {
  return Act([this](SimState& state) { return EnterField(state, options_); });
}

std::vector<uint8_t> SimTerminal::PressKey(int32_t key) {
  return Act([this, key](SimState& state) { return PressFunctionKey(state, options_, key); });
}

std::vector<uint8_t> SimTerminal::AnswerHeyYou(std::u16string_view text) {
  return Act([this, text](SimState& state) { return AnswerPrompt(state, options_, text); });
}

std::vector<uint8_t> SimTerminal::Scan(std::u16string_view code) {
  return Act([this, code](SimState& state) { return ScanCode(state, options_, code); });
}

std::vector<uint8_t> SimTerminal::PressButton(int32_t field) {
  return Act([this, field](SimState& state) { return PressPushButton(state, options_, field); });
}

std::vector<uint8_t> SimTerminal::SerialInput(int32_t port, std::u16string_view text) {
  return Act([this, port, text](SimState&) { return SerialInputMessage(options_, port, text); });
}

SimState SimTerminal::State() const {
  const std::lock_guard lock(mutex_);
  return state_;
}

std::string SimTerminal::Snapshot() const {
  const std::lock_guard lock(mutex_);
  return SnapshotText(state_, options_);
}

std::string SimTerminal::SnapshotPicture() const {
  const std::lock_guard lock(mutex_);
  return SnapshotSvg(state_, options_);
}

void SimTerminal::WaitFor(const std::function<bool(const SimState&)>& condition,
                          std::chrono::milliseconds timeout, std::u16string_view what) {
  std::unique_lock lock(mutex_);
  const bool done = changed_.wait_for(
      lock, timeout, [&] { return !state_.protocolErrors.empty() || condition(state_); });
  if (!state_.protocolErrors.empty()) {
    RaiseError(sim_errors::kProtocolError, u"SimTerminal.WaitFor",
               u"A protocol error while waiting for " + std::u16string(what) + u"\n" +
                   FromUtf8(SnapshotText(state_, options_)));
  }
  if (!done) {
    RaiseError(sim_errors::kWaitTimedOut, u"SimTerminal.WaitFor",
               u"Timed out after " + FromUtf8(std::to_string(timeout.count())) +
                   u" ms waiting for " + std::u16string(what) + u"\n" +
                   FromUtf8(SnapshotText(state_, options_)));
  }
}

void SimTerminal::WaitForText(std::u16string_view text, std::chrono::milliseconds timeout) {
  WaitFor(
      [this, text](const SimState& state) {
        for (const std::u16string& row : ScreenRows(state, options_)) {
          if (row.find(text) != std::u16string::npos) return true;
        }
        return false;
      },
      timeout, u"the text \"" + std::u16string(text) + u"\"");
}

void SimTerminal::WaitForUnlocked(std::chrono::milliseconds timeout) {
  WaitFor([](const SimState& state) { return !state.keyboardLocked; }, timeout,
          u"the keyboard to unlock");
}

std::vector<uint8_t> SimTerminal::Act(
    const std::function<std::vector<uint8_t>(SimState&)>& action) {
  std::vector<uint8_t> message;
  {
    const std::lock_guard lock(mutex_);
    // On a copy: an action the terminal refuses changes nothing.
    SimState working = state_;
    message = action(working);
    state_ = std::move(working);
  }
  changed_.notify_all();
  if (!message.empty()) Post(message);
  return message;
}

void SimTerminal::Post(const std::vector<uint8_t>& message) {
  std::shared_ptr<InProcessThread> thread;
  {
    const std::lock_guard lock(mutex_);
    thread = inboundThread_;
  }
  if (thread) thread->PostBytes(message);
}

}  // namespace carrowin
