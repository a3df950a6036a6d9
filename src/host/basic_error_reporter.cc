#include "basic_error_reporter.h"

#include <string>
#include <utility>

#include "automation/decimal_text.h"

namespace carrowin {

BasicErrorReporter::BasicErrorReporter(std::shared_ptr<BasicProcessTrace> trace,
                                       std::u16string component, std::u16string objectName)
    : trace_(std::move(trace)),
      component_(std::move(component)),
      objectName_(std::move(objectName)),
      source_(component_ + u"." + objectName_) {}

void BasicErrorReporter::SetDescription(std::u16string_view text) {
  Pending described{std::nullopt, source_, std::u16string(text)};
  std::lock_guard lock(mutex_);
  pending_ = std::move(described);
}

void BasicErrorReporter::CaptureError(const Error& error) {
  Pending captured{error.Number(), error.Source(), error.Description()};
  std::lock_guard lock(mutex_);
  pending_ = std::move(captured);
}

void BasicErrorReporter::Report(bool flag, int32_t level, int32_t number,
                                std::u16string_view procedure) {
  Pending pending;
  {
    std::lock_guard lock(mutex_);
    pending = std::exchange(pending_, Pending{});
  }
  ErrorRecord record;
  record.number = pending.number.value_or(number);
  record.source = pending.source.empty() ? source_ : std::move(pending.source);
  record.description = std::move(pending.description);
  record.procedure = std::u16string(procedure);
  record.reportedNumber = number;
  record.flag = flag;

  trace_->WriteLine(level, component_, objectName_, record.procedure,
                    u"Error " + DecimalText(record.number) + u": " + record.description + u" (" +
                        record.source + u")");
  trace_->WriteError(record);
  if (flag) RaiseError(record.number, record.source, record.description);
}

}  // namespace carrowin
