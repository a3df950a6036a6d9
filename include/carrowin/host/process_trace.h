#pragma once

#include <memory>
#include <string_view>

#include "carrowin/host/trace_writer.h"

namespace carrowin {

/// The trace shared by a terminal and all its child objects. Each object asks
/// it for a `TraceWriter` under (component, object name); the component is
/// always "CarrowinZVK". Writers of one (component, object name) are
/// interchangeable: a trace may hand every object of that name the same
/// writer (and so the same `ErrorReporter`), and objects must not assume a
/// writer of their own.
///
/// Contract: `Open` is called once, by `Terminal::Initialize`, with "Terminal"
/// and the terminal's object identifier. Writers may be asked for before
/// `Open` (objects trace from their construction on). Different terminals
/// have different traces and may run on different threads; terminals that
/// log to one place share a `TraceSink`, never a trace.
class ProcessTrace {
 public:
  virtual ~ProcessTrace() = default;

  virtual void Open(std::u16string_view objectName, std::u16string_view objectID) = 0;
  virtual std::shared_ptr<TraceWriter> GetTraceWriter(std::u16string_view componentName,
                                                      std::u16string_view objectName) = 0;
};

}  // namespace carrowin
