#include "terminal/inbound_reader.h"

#include <algorithm>

#include "carrowin/automation/error.h"
#include "carrowin/drel/code_pages.h"
#include "carrowin/wire/wire_encoding.h"

namespace carrowin {

namespace {
constexpr uint8_t kLongLengthMarker = '!';
constexpr int32_t kLengthCodeBase = 208;
}  // namespace

InboundReader::InboundReader(std::span<const uint8_t> data, int32_t length)
    : end_(std::clamp<int64_t>(length, 0, static_cast<int64_t>(data.size()))) {
  // Bytes past the length are what the receive buffer held before: a record
  // whose length runs over the end must not take them as its text.
  data_ = data.first(static_cast<size_t>(end_));
}

uint8_t InboundReader::Byte(int64_t index) const {
  if (!Within(index)) {
    RaiseError(errors::kSubscriptOutOfRange, u"InboundMessage",
               u"The message ends before the record it holds");
  }
  return data_[static_cast<size_t>(index)];
}

int32_t InboundReader::SmallNumber(int64_t index) const { return DecodeSmallNumber(Byte(index)); }

int32_t InboundReader::DataLength(int64_t index) const {
  const int32_t length = Byte(index) == kLongLengthMarker
                             ? SmallNumber(index + 1) * kLengthCodeBase + SmallNumber(index + 2)
                             : SmallNumber(index);
  if (length < 0) {
    RaiseError(errors::kSubscriptOutOfRange, u"InboundMessage",
               u"A record of the message has a length below zero");
  }
  return length;
}

int32_t InboundReader::LengthCodeSize(int64_t index) const {
  return Byte(index) == kLongLengthMarker ? 3 : 1;
}

std::u16string InboundReader::Text(int32_t codepage, int64_t index, int32_t count) const {
  if (index < 0 || count <= 0) return {};
  return RecordText(codepage, data_, static_cast<size_t>(index), static_cast<size_t>(count));
}

}  // namespace carrowin
