#include "basic_trace_writer.h"

#include <utility>

#include "basic_error_reporter.h"

namespace carrowin {

BasicTraceWriter::BasicTraceWriter(std::shared_ptr<BasicProcessTrace> trace,
                                   std::u16string component, std::u16string objectName)
    : trace_(std::move(trace)),
      component_(std::move(component)),
      objectName_(std::move(objectName)) {
  errorReporter_ = std::make_shared<BasicErrorReporter>(trace_, component_, objectName_);
}

void BasicTraceWriter::Trace(int32_t level, std::u16string_view procedure,
                             std::u16string_view message) {
  trace_->WriteLine(level, component_, objectName_, procedure, message);
}

std::shared_ptr<ErrorReporter> BasicTraceWriter::GetErrorReporter() { return errorReporter_; }

}  // namespace carrowin
