#include "host/object_trace.h"

#include <string>

#include "host/required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kComponent = u"CarrowinZVK";
}  // namespace

std::shared_ptr<TraceWriter> ObtainTraceWriter(ProcessTrace& trace,
                                               std::u16string_view objectName) {
  return RequireObject(trace.GetTraceWriter(kComponent, objectName), objectName,
                       u"The process trace gave no trace writer for " + std::u16string(objectName));
}

std::shared_ptr<ErrorReporter> ObtainErrorReporter(TraceWriter& writer,
                                                   std::u16string_view objectName) {
  return RequireObject(
      writer.GetErrorReporter(), objectName,
      u"The trace writer of " + std::u16string(objectName) + u" gave no error reporter");
}

}  // namespace carrowin
