#include <algorithm>
#include <limits>

#include "automation/rounding.h"
#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "carrowin/drel/drel.h"
#include "carrowin/params/parameters.h"
#include "carrowin/wire/wire_encoding.h"
#include "drel/borrowed_bytes.h"
#include "drel/command_bytes.h"
#include "drel/command_text.h"

namespace carrowin {

namespace {
constexpr uint8_t kPrint = 'p';
constexpr uint8_t kPrinterPacket = '>';
constexpr uint8_t kDevice = 'Z';
constexpr uint8_t kUserSound = 's';
constexpr uint8_t kVibrate = 'v';
constexpr uint8_t kScannerEnable = 'e';

// Model 82 terminals gained the device commands with firmware version 2,
// every other model with version 70.
constexpr int16_t kDeviceModel = 82;
constexpr int16_t kDeviceModelVersion = 2;
constexpr int16_t kOtherModelsVersion = 70;

// The length of the next printer packet of `text`: `packetSize` characters,
// the whole text when it is shorter or the size is below 1. A surrogate pair
// stays whole, so that no packet carries half a character to the converter.
size_t PrinterPacketLength(std::u16string_view text, int32_t packetSize) {
  if (packetSize < 1 || text.size() <= static_cast<size_t>(packetSize)) return text.size();
  const auto length = static_cast<size_t>(packetSize);
  if (!IsHighSurrogate(text[length - 1]) || !IsLowSurrogate(text[length])) return length;
  return length > 1 ? length - 1 : length + 1;
}
}  // namespace

void Drel::DrelPrint(int32_t lPageNumber, int32_t lLines, int32_t lBlankLines) {
  if (!InRange(lPageNumber, 0, kMaxSmallNumber) || !InRange(lLines, -1, kMaxSmallNumber) ||
      !InRange(lBlankLines, -1, kMaxSmallNumber)) {
    return;
  }
  CheckForSend(3);
  PutCommand(OutBuf(), {kPrint, EncodeSmallNumber(lLines), EncodeSmallNumber(lBlankLines)});
}

void Drel::PrinterPortPass(int32_t lPort, int32_t lFormat, std::u16string_view sData) {
  // An empty text still goes as one packet of no bytes.
  std::u16string_view rest = sData;
  do {
    const size_t length = PrinterPacketLength(rest, printerPortPassPacketSize_);
    WritePrinterPacket(lPort, lFormat, rest.substr(0, length));
    rest.remove_prefix(length);
  } while (!rest.empty());
}

void Drel::WritePrinterPacket(int32_t lPort, int32_t lFormat, std::u16string_view text) {
  BorrowedBytes bytes(commandStorage_);
  if (!PrinterTextBytes(text, *bytes) || bytes->size() > static_cast<size_t>(kMaxLengthCode) ||
      !InRange(lPort, 0, kMaxSmallNumber) || !InRange(lFormat, 0, kMaxSmallNumber)) {
    return;
  }
  PutTextCommand(OutBuf(), {kPrinterPacket, EncodeSmallNumber(lPort), EncodeSmallNumber(lFormat)},
                 CommandText(*bytes), true);
}

const Parameters& Drel::DeviceParameters() const {
  if (!parameters_) RaiseError(errors::kObjectNotSet, u"Drel.Parameters");
  return *parameters_;
}

bool Drel::HasDeviceCommands() const {
  const carrowin::Parameters& parameters = DeviceParameters();
  const int16_t version = parameters.Version();
  return parameters.Model() == kDeviceModel ? version >= kDeviceModelVersion
                                            : version >= kOtherModelsVersion;
}

void Drel::UserSoundSend(int32_t lIndex) {
  // The terminal's features are read even for an index out of range, so a
  // missing `Parameters` shows at the first call.
  if (!HasDeviceCommands() || !InRange(lIndex, 1, 4)) return;
  CheckForSend(3);
  PutCommand(OutBuf(), {kDevice, kUserSound, EncodeSmallNumber(lIndex)});
}

void Drel::VibrateSend(int32_t lOnTime, int32_t lOffTime, int32_t lIterations) {
  if (lOnTime <= 0 || lOffTime < 0 || lIterations <= 0) return;
  const int32_t iterations = std::min(lIterations, kMaxSmallNumber);
  const carrowin::Parameters& parameters = DeviceParameters();
  const int16_t version = parameters.Version();
  if (parameters.Model() == kDeviceModel && version >= kDeviceModelVersion) {
    // Times as given, each in the length code.
    CommandBytes command{kDevice, kVibrate};
    command.AddLengthCode(std::min(lOnTime, kMaxLengthCode));
    command.AddLengthCode(std::min(lOffTime, kMaxLengthCode));
    command.AddLengthCode(iterations);
    CheckForSend(8);
    PutCommand(OutBuf(), command.Bytes());
  } else if (version >= kOtherModelsVersion) {
    // Newer firmware takes a period and the share of it spent vibrating.
    const int64_t period = int64_t{lOnTime} + lOffTime;
    if (period > std::numeric_limits<int32_t>::max()) {
      RaiseError(errors::kOverflow, u"Drel.VibrateSend");
    }
    const auto duty = static_cast<int32_t>(
        RoundHalfToEven(static_cast<double>(lOnTime) / static_cast<double>(period) * 100.0));
    CommandBytes command{kDevice, kVibrate};
    command.AddLengthCode(iterations);
    command.AddLengthCode(duty);
    command.AddLengthCode(static_cast<int32_t>(std::min<int64_t>(period, kMaxLengthCode)));
    CheckForSend(6);
    PutCommand(OutBuf(), command.Bytes());
  }
}

void Drel::ScannerEnableSend(const Variant& bEnable) {
  if (!HasDeviceCommands()) return;
  // Converted before any byte is written, so a value that is no Boolean
  // leaves the buffer as it was.
  const bool enable = bEnable.ToBoolean();
  CheckForSend(3);
  PutCommand(OutBuf(), {kDevice, kScannerEnable, EncodeSmallNumber(enable ? 1 : 0)});
}

}  // namespace carrowin
