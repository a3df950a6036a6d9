#pragma once

#include <memory>
#include <string_view>

#include "carrowin/host/memory_process_trace.h"
#include "carrowin/host/process_trace.h"

namespace carrowin::testing_support {

/// A trace that hands back no trace writer (`noWriter`), or writers that
/// hand back no error reporter: an outside object the library must not
/// dereference blindly.
class HollowTrace : public ProcessTrace {
 public:
  explicit HollowTrace(bool noWriter) : noWriter_(noWriter) {}

  void Open(std::u16string_view, std::u16string_view) override {}
  std::shared_ptr<TraceWriter> GetTraceWriter(std::u16string_view component,
                                              std::u16string_view objectName) override {
    if (noWriter_) return nullptr;
    return std::make_shared<NoReporterWriter>(real_->GetTraceWriter(component, objectName));
  }

 private:
  class NoReporterWriter : public TraceWriter {
   public:
    explicit NoReporterWriter(std::shared_ptr<TraceWriter> writer) : writer_(std::move(writer)) {}
    void Trace(int32_t level, std::u16string_view procedure, std::u16string_view message) override {
      writer_->Trace(level, procedure, message);
    }
    std::shared_ptr<ErrorReporter> GetErrorReporter() override { return nullptr; }

   private:
    std::shared_ptr<TraceWriter> writer_;
  };

  bool noWriter_;
  std::shared_ptr<MemoryProcessTrace> real_ = std::make_shared<MemoryProcessTrace>();
};

}  // namespace carrowin::testing_support
