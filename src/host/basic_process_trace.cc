#include "carrowin/host/basic_process_trace.h"

#include <utility>

#include "basic_trace_writer.h"
#include "required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"ProcessTrace";
}  // namespace

BasicProcessTrace::BasicProcessTrace(std::shared_ptr<TraceSink> sink, int32_t maxLevel)
    : sink_(RequireObject(std::move(sink), kSource, u"The trace sink is Nothing")),
      maxLevel_(maxLevel) {}

void BasicProcessTrace::Open(std::u16string_view /*objectName*/, std::u16string_view objectID) {
  std::lock_guard lock(mutex_);
  objectID_ = std::u16string(objectID);
}

std::shared_ptr<TraceWriter> BasicProcessTrace::GetTraceWriter(std::u16string_view componentName,
                                                               std::u16string_view objectName) {
  // Each writer keeps its trace alive, so the trace must be shared to hand one out.
  auto self =
      RequireObject(weak_from_this().lock(), kSource,
                    u"The trace is not held by a shared_ptr, so it cannot hand out writers");
  std::lock_guard lock(mutex_);
  std::weak_ptr<TraceWriter>& cached =
      writers_[{std::u16string(componentName), std::u16string(objectName)}];
  std::shared_ptr<TraceWriter> writer = cached.lock();
  if (!writer) {
    writer = std::make_shared<BasicTraceWriter>(std::move(self), std::u16string(componentName),
                                                std::u16string(objectName));
    cached = writer;
  }
  return writer;
}

int32_t BasicProcessTrace::MaxLevel() const {
  std::lock_guard lock(mutex_);
  return maxLevel_;
}

void BasicProcessTrace::SetMaxLevel(int32_t maxLevel) {
  std::lock_guard lock(mutex_);
  maxLevel_ = maxLevel;
}

void BasicProcessTrace::SetErrorHandler(ErrorHandler handler) {
  std::lock_guard lock(mutex_);
  errorHandler_ = std::move(handler);
}

void BasicProcessTrace::WriteLine(int32_t level, std::u16string_view component,
                                  std::u16string_view objectName, std::u16string_view procedure,
                                  std::u16string_view message) {
  TraceRecord record;
  {
    std::lock_guard lock(mutex_);
    if (level > maxLevel_) return;
    record.traceObjectID = objectID_;
  }
  record.time = std::chrono::system_clock::now();
  record.level = level;
  record.component = std::u16string(component);
  record.objectName = std::u16string(objectName);
  record.procedure = std::u16string(procedure);
  record.message = std::u16string(message);
  sink_->Write(record);
}

void BasicProcessTrace::WriteError(const ErrorRecord& error) {
  sink_->WriteError(error);
  ErrorHandler handler;
  {
    std::lock_guard lock(mutex_);
    handler = errorHandler_;
  }
  // Called outside the lock: the handler may trace or change the trace.
  if (handler) handler(error);
}

}  // namespace carrowin
