#pragma once

#include <memory>
#include <string_view>

#include "carrowin/host/error_reporter.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

/// The trace writer of one library object ("Drel", "Parameters", ...) on
/// `trace`, under the library's component name "CarrowinZVK". Error 91 when
/// the trace hands back nothing.
std::shared_ptr<TraceWriter> ObtainTraceWriter(ProcessTrace& trace, std::u16string_view objectName);

/// The error reporter of `writer`, the writer of library object
/// `objectName`. Error 91 when the writer hands back nothing.
std::shared_ptr<ErrorReporter> ObtainErrorReporter(TraceWriter& writer,
                                                   std::u16string_view objectName);

}  // namespace carrowin
