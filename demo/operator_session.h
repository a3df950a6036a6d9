#pragma once

#include <carrowin/carrowin.h>
#include <carrowin/sim/sim_terminal.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "screen_pictures.h"
#include "warehouse_app.h"
#include "wire_transcript.h"

namespace carrowin::demo {

/// The settings record of the terminal numbered `number`: "T<number>".
std::u16string TerminalRecord(int32_t number);

/// One operator at one virtual terminal running the warehouse application:
/// the application's `Terminal` on an in-process connection whose messages
/// the virtual terminal reads, and the worker queue its answers come back
/// through. Everything on the wire and every screen goes to `out`.
class OperatorSession {
 public:
  /// The terminal's settings record is "T<number>"; its TerminalId must be
  /// `terminalNumber`. With a `pictureFolder`, each step's screen is also
  /// written there as an SVG picture (see `ScreenPictures`).
  OperatorSession(int32_t terminalNumber, std::ostream& out,
                  const std::optional<std::filesystem::path>& pictureFolder = std::nullopt);
  ~OperatorSession();
  OperatorSession(const OperatorSession&) = delete;
  OperatorSession& operator=(const OperatorSession&) = delete;

  /// The scripted session: sign on, a pick with a wrong scan, help, back and
  /// sign off, with the screen after each step.
  void RunScript();
  /// A person at the console works the terminal, one line at a time: text
  /// is typed and entered (or answers the hey-you prompt), ":F1" to ":F9"
  /// press a function key, ":scan CODE" scans, ":quit" or the end of input
  /// ends the session. An action the terminal refuses is reported and the
  /// session goes on.
  void RunConsole(std::istream& in);

 private:
  /// Applies `action`, lets the terminal answer everything it caused, and
  /// shows the screen and what else the terminal did.
  void Step(std::string_view title, const std::function<void()>& action);
  /// Runs the terminal's cycles until no inbound message waits; the script
  /// drives them itself so that the transcript reads the same on every run.
  void Settle();
  void ShowTerminal();

  std::ostream& out_;
  std::shared_ptr<SimTerminal> sim_;
  WireTranscript transcript_;
  std::shared_ptr<InProcessThread> worker_;
  std::shared_ptr<Terminal> terminal_;
  std::unique_ptr<WarehouseApp> app_;
  SimState shown_;
  std::optional<ScreenPictures> pictures_;
};

}  // namespace carrowin::demo
