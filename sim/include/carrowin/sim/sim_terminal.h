#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/host/in_process_thread.h"
#include "carrowin/host/message_sender.h"
#include "carrowin/sim/sim_options.h"
#include "carrowin/sim/sim_state.h"

namespace carrowin {

/// The error numbers of the virtual terminal.
namespace sim_errors {
/// A message broke the wire format: the description names the message (the
/// first is 1) and the byte offset inside it.
inline constexpr int32_t kProtocolError = 6101;
/// A wait ran out; the description holds the screen as it then was.
inline constexpr int32_t kWaitTimedOut = 6102;
}  // namespace sim_errors

/// A virtual terminal speaking the Drel protocol: it reads every message the
/// library sends, keeps the terminal's state, answers attaches, parameter
/// queries, read requests and wake commands, and turns operator actions into the inbound messages a
/// real terminal sends. Thread-safe: the library's worker delivers messages
/// while a test acts and waits on another thread.
///
///     auto sim = carrowin::SimTerminal::Create({.terminalNumber = 7});
///     auto thread = std::make_shared<carrowin::InProcessThread>();
///     sim->SetInboundThread(thread);
///     terminal->Initialize(std::make_shared<carrowin::InProcessConnection>(sim->Sender()), u"T1");
///     terminal->SetThread(thread);
///     sim->PowerOn();  // the worker's cycles take it from here
///
/// Operator actions raise error 5 when the terminal would refuse them (a
/// locked keyboard, no field open, no hey-you prompt, the scanner off, no
/// such push button).
class SimTerminal : public std::enable_shared_from_this<SimTerminal> {
  struct ConstructionKey {};

 public:
  /// Raises error 5 when `options` cannot be reported in a parameter reply.
  static std::shared_ptr<SimTerminal> Create(SimOptions options = {});
  SimTerminal(ConstructionKey, SimOptions options);
  SimTerminal(const SimTerminal&) = delete;
  SimTerminal& operator=(const SimTerminal&) = delete;

  const SimOptions& Options() const { return options_; }

  // ----- Outbound: what the library sends -----

  /// Reads one outbound message and applies it. A protocol error is
  /// recorded in the state and raised (number `sim_errors::kProtocolError`).
  void Receive(std::span<const uint8_t> message);
  /// A sender for the library's connection: it hands each message to
  /// `Receive`. A protocol error stays recorded here and does not reach the
  /// library, whose cycle goes on; the waits report it. Messages sent after
  /// the simulator is gone are dropped.
  std::shared_ptr<MessageSender> Sender();

  // ----- Inbound: what the terminal sends -----

  /// Where replies and operator actions go; without one they are only
  /// returned. Replaces the previous one.
  void SetInboundThread(std::shared_ptr<InProcessThread> thread);

  /// The terminal reports that it started ("I").
  std::vector<uint8_t> PowerOn();
  /// Types `text` at the end of the input field's data. Characters past the
  /// field's capacity, and non-digits in a numeric field, are refused as a
  /// terminal refuses keys; an auto-tab field that fills moves the input to
  /// the next entry field. Sends nothing.
  void Type(std::u16string_view text);
  /// Ends the entry: a transmit-on-entry field sends the changed fields and
  /// "%" and locks the keyboard; any other field moves the input to the next
  /// entry field and sends nothing (the result is then empty).
  std::vector<uint8_t> Enter();
  /// Presses function key `key` (0 to 207): the changed fields, then "F"
  /// with the input field's number (-1 for none); locks the keyboard.
  std::vector<uint8_t> PressKey(int32_t key);
  /// Answers the hey-you prompt, cut to its response size; locks the
  /// keyboard.
  std::vector<uint8_t> AnswerHeyYou(std::u16string_view text);
  /// Scans a bar code: into the input field when it takes bar codes
  /// (`FlagsBarcode`), which then transmits as on entry; otherwise as serial
  /// input on `SimOptions::scannerPort`. Needs the scanner on.
  std::vector<uint8_t> Scan(std::u16string_view code);
  /// Presses the push button `field` of the screen: its local procedure
  /// runs on the terminal and nothing is sent; a button without one
  /// transmits as on entry.
  std::vector<uint8_t> PressButton(int32_t field);
  /// Serial input `text` on `port` (0 to 207).
  std::vector<uint8_t> SerialInput(int32_t port, std::u16string_view text);

  // ----- Reading the state -----

  /// A copy of the whole state.
  SimState State() const;
  /// The screen and the terminal's state as text (see `SnapshotText`).
  std::string Snapshot() const;
  /// The screen as an SVG picture (see `SnapshotSvg`).
  std::string SnapshotPicture() const;

  /// Waits until `condition` holds for the state, checked on every change
  /// under the simulator's lock (so it must not call the simulator).
  /// Raises `sim_errors::kWaitTimedOut` when `timeout` passes first, and
  /// `sim_errors::kProtocolError` as soon as a message breaks the protocol;
  /// either description names `what` and holds the snapshot.
  void WaitFor(const std::function<bool(const SimState&)>& condition,
               std::chrono::milliseconds timeout, std::u16string_view what);
  /// Waits until the screen's text shows `text`.
  void WaitForText(std::u16string_view text, std::chrono::milliseconds timeout);
  /// Waits until the keyboard is unlocked.
  void WaitForUnlocked(std::chrono::milliseconds timeout);

 private:
  /// Applies an operator action to the state under the lock and sends the
  /// bytes it returns (when any).
  std::vector<uint8_t> Act(const std::function<std::vector<uint8_t>(SimState&)>& action);
  void Post(const std::vector<uint8_t>& message);

  const SimOptions options_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  SimState state_;
  std::shared_ptr<InProcessThread> inboundThread_;
};

}  // namespace carrowin
