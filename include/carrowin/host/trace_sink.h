#pragma once

#include "carrowin/host/trace_record.h"

namespace carrowin {

/// Where trace lines end up: a file, standard error, memory, or the
/// application's own log. One sink may serve any number of traces (one per
/// terminal) on any threads; each record carries the identity of the trace
/// that wrote it.
///
/// Contract: `Write` and `WriteError` may be called from several threads at
/// once, and each record is kept whole (lines never interleave). Failures are
/// raised as `carrowin::Error` to the object that traced.
class TraceSink {
 public:
  virtual ~TraceSink() = default;

  /// Takes one trace line.
  virtual void Write(const TraceRecord& record) = 0;
  /// Takes one reported error; its trace line has already gone to `Write`.
  /// A sink that writes lines only has nothing to add.
  virtual void WriteError(const ErrorRecord& /*error*/) {}
};

}  // namespace carrowin
