#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "carrowin/automation/event.h"
#include "carrowin/automation/object.h"
#include "carrowin/automation/variant.h"
#include "carrowin/host/connection.h"
#include "carrowin/host/error_reporter.h"
#include "carrowin/host/host_factories.h"
#include "carrowin/host/object_settings.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/thread.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

class Drel;
class Page;
class Pages;
class Parameters;

/// One connected terminal: the root of its pages, fields, encoder and
/// parameters, and the object through which its application drives it.
///
///     auto terminal = carrowin::Terminal::Create();
///     terminal->Initialize(connection, u"T1");  // reads the record "T1"
///     auto page = terminal->Pages()->Add(u"SignOn");
///     page->Fields()->AddText(1, u"Title", 1, 1, u"Sign on");
///     page->Fields()->AddEntry(2, u"User", 3, 1, 8);
///     page->Display(u"User");
///
/// A terminal lives only behind a `std::shared_ptr` (made by `Create`): its
/// pages and fields refer back to it weakly, so dropping the last reference
/// frees the whole tree, `Terminate` or not. Operations that need a child
/// before `Initialize`, or the terminal after it is gone, raise error 91.
/// One call at a time per terminal; different terminals may run on
/// different threads.
class Terminal : public std::enable_shared_from_this<Terminal> {
  struct ConstructionKey {};

 public:
  /// A new terminal that creates its host objects (trace, settings record,
  /// output buffer) from `factories`, falling back to the process defaults.
  static std::shared_ptr<Terminal> Create(HostFactories factories = {});
  explicit Terminal(ConstructionKey, HostFactories factories);
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  ~Terminal();

  Event<> evtInitialized;
  Event<> evtOffline;
  Event<> evtOnline;

  /// Free slot for an object of the application's (the user signed on, say).
  const std::shared_ptr<Object>& Common() const { return common_; }
  void SetCommon(std::shared_ptr<Object> value) { common_ = std::move(value); }
  /// The encoder; nullptr before `Initialize`.
  const std::shared_ptr<carrowin::Drel>& Drel() const { return drel_; }
  /// The connection's worker, which calls `ExecuteBackground`.
  void SetThread(std::shared_ptr<carrowin::Thread> value) { thread_ = std::move(value); }

  /// Binds the terminal to `objConnection` and reads its settings record
  /// `sObjectID`, creating its trace, parameters, pages and encoder. A
  /// failure is reported with procedure "Initialize" and stops at the
  /// failing step; whether it reaches the caller is the error reporter's
  /// decision (the built-in ones raise it).
  void Initialize(std::shared_ptr<carrowin::Connection> objConnection,
                  std::u16string_view sObjectID);
  /// Terminates the pages and the encoder and drops the connection, the
  /// interpreter and the worker. Never raises; may be called again.
  void Terminate();

  /// Forces the terminal to reinitialise.
  void Abort();
  /// Sounds the terminal's beeper.
  void Bell();
  bool ErrorBellTone() const;
  void SetErrorBellTone(bool value);
  const std::shared_ptr<carrowin::Connection>& Connection() const { return connection_; }
  const std::u16string& Name() const { return name_; }
  void SetName(std::u16string_view value) { name_ = std::u16string(value); }
  /// The pages; nullptr before `Initialize`.
  const std::shared_ptr<carrowin::Pages>& Pages() const { return pages_; }
  /// The page of this name or position, as `Pages()->Item`; error 91 before
  /// `Initialize`.
  std::shared_ptr<Page> operator[](const Variant& vntIndexKey) const;
  const std::shared_ptr<carrowin::Parameters>& Parameters() const { return parameters_; }
  const std::shared_ptr<carrowin::ProcessTrace>& ProcessTrace() const { return processTrace_; }
  /// A value kept for the application; the library never sets it.
  int32_t Status() const { return status_; }
  void SetStatus(int32_t value) { status_ = value; }
  /// The name of the page last selected on the terminal.
  const std::u16string& SelectedPage() const { return selectedPage_; }
  void SetSelectedPage(std::u16string_view value) { selectedPage_ = std::u16string(value); }
  /// The terminal's number. A change after `Initialize` does not reach the
  /// encoder's own copy, which its control messages use.
  int32_t TerminalID() const { return terminalID_; }
  void SetTerminalID(int32_t value) { terminalID_ = value; }
  /// True while the keyboard is locked, waiting for the host.
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { locked_ = value; }
  void UserSound(int32_t lIndex);
  void Vibrate(int32_t lOnTime, int32_t lOffTime, int32_t lIterations);
  void ScannerEnable(const Variant& bEnable);

  // --- For the library's own classes --------------------------------------

  /// The terminal page number last selected through a page; -1 before.
  int32_t CurrentPageNumber() const { return currentPageNumber_; }
  void SetCurrentPageNumber(int32_t value) { currentPageNumber_ = value; }
  /// The name of the page last displayed; assigning it publishes the screen
  /// in the status record.
  const std::u16string& CurrentScreen() const { return currentScreen_; }
  void SetCurrentScreen(std::u16string_view value);

 private:
  carrowin::Drel& RequireDrel() const;

  // Status record: how much the terminal publishes, and the writes of one
  // processing cycle.
  void SetStatusOnline();
  void UpdateScreenStatus();
  void WriteStatus(std::u16string_view key, const Variant& value);

  HostFactories factories_;
  std::shared_ptr<Object> common_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::shared_ptr<carrowin::ProcessTrace> processTrace_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<carrowin::Connection> connection_;
  std::shared_ptr<carrowin::Parameters> parameters_;
  std::shared_ptr<carrowin::Pages> pages_;
  std::shared_ptr<carrowin::Drel> drel_;
  int32_t status_ = 0;
  int32_t terminalID_ = 0;
  std::u16string selectedPage_;
  std::u16string name_;
  bool locked_ = false;
  std::shared_ptr<ObjectSettings> objectSettings_;
  std::shared_ptr<Object> interpreter_;
  int32_t currentPageNumber_ = -1;
  std::u16string currentScreen_;
  int32_t codePage_ = 0;
  bool terminating_ = false;
  int32_t statusUpdateLevel_ = 0;
  int32_t previousStatusLevel_ = 0;
  bool onlineStatusWritten_ = false;
  bool handleHebrewDisplay_ = false;
  int32_t printerCodePage_ = 0;
  std::shared_ptr<carrowin::Thread> thread_;
};

}  // namespace carrowin
