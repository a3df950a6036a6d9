#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "carrowin/sim/sim_page.h"

namespace carrowin {

/// A print command "p": lines of the screen and blank lines after them
/// (-1: the terminal's default).
struct SimPrintJob {
  int32_t lines = 0;
  int32_t blankLines = 0;
};

/// A printer pass-through packet ">" as its port received it.
struct SimPrinterPacket {
  int32_t port = 0;
  int32_t format = 0;
  std::u16string text;
};

/// The three numbers of a vibrate command "Zv", as sent: on time, off time
/// and iterations (model 82), or iterations, duty and period (the others).
struct SimVibration {
  int32_t first = 0;
  int32_t second = 0;
  int32_t third = 0;
};

/// Everything the virtual terminal holds. A plain value: the simulator hands
/// out copies, so a test reads it without racing the worker.
struct SimState {
  /// Every page the host selected, by page number.
  std::map<int32_t, SimPage> pages;
  /// The page the field commands go to, and the page on the screen.
  int32_t selectedPage = 0;
  int32_t displayedPage = 0;
  /// The field the host opened (-1: no particular field, the first entry
  /// field takes the input); empty while no field is open.
  std::optional<int32_t> openField;
  bool keyboardLocked = true;
  /// The advisory on the screen and whether it came with a field.
  std::optional<std::u16string> advisory;
  /// The hey-you prompt waiting for an answer, and the answer's most
  /// characters (-1: no limit).
  std::optional<std::u16string> heyYou;
  int32_t heyYouResponseSize = -1;
  int32_t bells = 0;
  /// The key a wake command "W" last pressed; -1 before one.
  int32_t wakeKey = -1;
  /// Milestones as received ("M" and "O"), and the last acknowledged ("N").
  std::vector<std::u16string> milestones;
  std::optional<std::u16string> acknowledgedMilestone;
  std::map<int32_t, std::u16string> softKeys;
  std::vector<SimPrintJob> printJobs;
  std::vector<SimPrinterPacket> printerPackets;
  /// User sounds played, by index.
  std::vector<int32_t> sounds;
  std::vector<SimVibration> vibrations;
  bool scannerEnabled = true;
  /// Local procedures by index: the list commands between "P" and "B".
  std::map<int32_t, std::vector<uint8_t>> procedures;
  bool attached = false;
  int32_t attaches = 0;
  int32_t detaches = 0;
  int32_t aborts = 0;
  int32_t statusRequests = 0;
  /// Messages received, protocol errors included.
  int64_t messages = 0;
  /// The description of every protocol error, oldest first.
  std::vector<std::u16string> protocolErrors;

  /// Clears the screen and everything shown on it, as a terminal does when it
  /// starts or aborts; the counters and the protocol errors stay.
  void Restart();
  /// The page the field commands go to; created when it is missing.
  SimPage& SelectedPage();
  /// The page on the screen, or nullptr when nothing was drawn on it.
  const SimPage* DisplayedPage() const;
  /// The field the operator types into: the open field, or for "no
  /// particular field" the first entry field of the screen; nullptr when
  /// none is open.
  const SimField* InputField() const;
};

}  // namespace carrowin
