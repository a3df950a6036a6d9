#pragma once

#include <memory>
#include <string>

#include "carrowin/host/basic_process_trace.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

/// The writer of one library object on a `BasicProcessTrace`.
class BasicTraceWriter : public TraceWriter {
 public:
  BasicTraceWriter(std::shared_ptr<BasicProcessTrace> trace, std::u16string component,
                   std::u16string objectName);

  void Trace(int32_t level, std::u16string_view procedure, std::u16string_view message) override;
  std::shared_ptr<ErrorReporter> GetErrorReporter() override;

 private:
  std::shared_ptr<BasicProcessTrace> trace_;
  std::u16string component_;
  std::u16string objectName_;
  std::shared_ptr<ErrorReporter> errorReporter_;
};

}  // namespace carrowin
