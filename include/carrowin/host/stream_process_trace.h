#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "carrowin/host/basic_process_trace.h"
#include "carrowin/host/stream_trace_sink.h"

namespace carrowin {

/// A trace that writes text lines through a `StreamTraceSink`. Give each
/// terminal its own trace; terminals that log to the same file share the
/// sink, and each line names the terminal that wrote it.
class StreamProcessTrace : public BasicProcessTrace {
 public:
  /// Writes to the process's standard error sink.
  explicit StreamProcessTrace(int32_t maxLevel = 1)
      : BasicProcessTrace(StreamTraceSink::StandardError(), maxLevel) {}
  /// Writes to `sink`; raises error 91 when it is null.
  StreamProcessTrace(std::shared_ptr<StreamTraceSink> sink, int32_t maxLevel)
      : BasicProcessTrace(std::move(sink), maxLevel) {}
};

}  // namespace carrowin
