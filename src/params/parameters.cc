#include "carrowin/params/parameters.h"

#include <utility>

#include "automation/decimal_text.h"
#include "carrowin/automation/error.h"
#include "carrowin/wire/wire_encoding.h"
#include "host/object_trace.h"

namespace carrowin {

namespace {

constexpr std::u16string_view kObjectName = u"Parameters";

/// Reads the parameter bytes of one reply, refusing any index outside it.
class ReplyReader {
 public:
  ReplyReader(std::span<const uint8_t> data, int32_t position)
      : data_(data), position_(position) {}

  /// The decoded small number at `offset` from the reply's start.
  int16_t Number(int32_t offset) const {
    const int64_t index = int64_t{position_} + offset;
    if (index < 0 || index >= static_cast<int64_t>(data_.size())) {
      RaiseError(errors::kSubscriptOutOfRange, u"Parameters.LoadData");
    }
    return static_cast<int16_t>(DecodeSmallNumber(data_[static_cast<size_t>(index)]));
  }

 private:
  std::span<const uint8_t> data_;
  int32_t position_;
};

std::u16string Entry(std::u16string_view label, int16_t value) {
  return u"\r\n " + std::u16string(label) + u" '" + DecimalText(value) + u"'";
}

}  // namespace

Parameters::Parameters(HostFactories factories) {
  // A trace of its own, so the object can report before it is initialised.
  traceWriter_ = ObtainTraceWriter(*factories.CreateProcessTrace(), kObjectName);
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
}

void Parameters::Initialize(const std::shared_ptr<ProcessTrace>& processTrace) {
  if (!processTrace) RaiseError(errors::kObjectNotSet, u"Parameters.Initialize");
  // Kept only once every step succeeded: a failure leaves the old binding.
  auto writer = ObtainTraceWriter(*processTrace, kObjectName);
  writer->Trace(3, u"Initialize", u"Trace created");
  auto reporter = ObtainErrorReporter(*writer, kObjectName);
  traceWriter_ = std::move(writer);
  errorReporter_ = std::move(reporter);
}

void Parameters::LoadData(std::span<const uint8_t> data, int32_t position) {
  const ReplyReader reply(data, position);
  model_ = reply.Number(0);
  version_ = reply.Number(1);
  features_ = reply.Number(2);
  config_ = reply.Number(3);
  virtualColumns_ = static_cast<int16_t>(2 * reply.Number(4));
  if (columns_ == 0) columns_ = virtualColumns_;
  // One byte, two numbers: half the row count in the low nibble, steps of
  // 16 fields above a base of 32 in the high one.
  const int16_t sizes = reply.Number(5);
  virtualRows_ = static_cast<int16_t>(2 * (sizes & 0x0F));
  if (rows_ == 0) rows_ = virtualRows_;
  maxField_ = static_cast<int16_t>((sizes & 0xF0) + 32);
  savedPages_ = reply.Number(6);
  application_ = reply.Number(7);

  traceWriter_->Trace(2, u"LoadData",
                      u"Loading Terminal Parameters: " + Entry(u"Model", model_) +
                          Entry(u"Version", version_) + Entry(u"Features", features_) +
                          Entry(u"Config", config_) + Entry(u"Columns", columns_) +
                          Entry(u"Rows", rows_) + Entry(u"MaxField", maxField_) +
                          Entry(u"SavedPages", savedPages_) + Entry(u"Application", application_));
}

void Parameters::SetColumns(int16_t value) {
  columns_ = value;
  if (virtualColumns_ == 0) virtualColumns_ = value;
}

void Parameters::SetRows(int16_t value) {
  rows_ = value;
  if (virtualRows_ == 0) virtualRows_ = value;
}

}  // namespace carrowin
