#include "carrowin/drel/drel.h"
#include "carrowin/wire/wire_encoding.h"
#include "drel/borrowed_bytes.h"
#include "drel/command_text.h"

namespace carrowin {

namespace {
constexpr uint8_t kBell = '#';
constexpr uint8_t kAdvisory = 'a';
constexpr uint8_t kAdvisoryNoOpen = 'A';
constexpr uint8_t kHeyYou = 'h';
constexpr uint8_t kParameterQuery = '!';
constexpr uint8_t kRRequest = 'R';
constexpr uint8_t kWake = 'W';
constexpr uint8_t kLockKeyboard = 'l';
constexpr uint8_t kMilestone = 'M';
constexpr uint8_t kMilestoneAndOpen = 'O';
constexpr uint8_t kAckMilestone = 'N';
constexpr uint8_t kSoftKey = 'S';
constexpr uint8_t kScreenFunctionCode = 'H';
}  // namespace

void Drel::Bell() {
  CheckForSend(1);
  BellGetDrel(OutBuf());
}

void Drel::BellGetDrel(CircBuffer& CircBufSend) { PutCommand(CircBufSend, {kBell}); }

void Drel::Advisory(int32_t lFieldNumber, std::u16string_view sData) {
  if (!InRange(lFieldNumber, -1, kMaxSmallNumber)) return;
  AdvisoryGetDrel(OutBuf(), lFieldNumber, sData, true);
  // The advisory opens the field whether or not its text could be sent, and
  // it takes the place of any pending error bell.
  errorBellTone_ = false;
  lastOpenField_ = lFieldNumber;
}

void Drel::AdvisoryGetDrel(CircBuffer& CircBufSend, int32_t lFieldNumber, std::u16string_view sData,
                           bool PerformCheckForSend) {
  BorrowedBytes storage(commandStorage_);
  const std::optional<CommandText> text = ScreenCommandText(sData, *storage);
  if (!text || !InRange(lFieldNumber, -1, kMaxSmallNumber)) return;
  PutTextCommand(CircBufSend, {kAdvisory, EncodeSmallNumber(lFieldNumber)}, *text,
                 PerformCheckForSend);
}

void Drel::AdvisoryNoOpen(std::u16string_view sData) {
  BorrowedBytes storage(commandStorage_);
  const std::optional<CommandText> text = ScreenCommandText(sData, *storage);
  if (!text) return;
  PutTextCommand(OutBuf(), {kAdvisoryNoOpen}, *text, true);
}

void Drel::HeyYou(int32_t lResponseSize, std::u16string_view sData) {
  BorrowedBytes storage(commandStorage_);
  const std::optional<CommandText> text = ScreenCommandText(sData, *storage);
  if (!text || !InRange(lResponseSize, -1, kMaxSmallNumber)) return;
  PutTextCommand(OutBuf(), {kHeyYou, EncodeSmallNumber(lResponseSize)}, *text, true);
  errorBellTone_ = false;
}

void Drel::ParameterQuery() { StartRequestMessage(kParameterQuery); }

void Drel::StartRRequest() { StartRequestMessage(kRRequest); }

void Drel::StartRequestMessage(uint8_t request) {
  // A fresh message always has room for one byte: no flush check needed.
  StartMessage(terminalNumber_, kScreenFunctionCode);
  PutCommand(OutBuf(), {request});
}

void Drel::Wake(int32_t lFunctionKey) {
  if (!InRange(lFunctionKey, 0, kMaxSmallNumber)) return;
  CheckForSend(2);
  PutCommand(OutBuf(), {kWake, EncodeSmallNumber(lFunctionKey)});
}

void Drel::LockKeyboard() {
  CheckForSend(1);
  PutCommand(OutBuf(), {kLockKeyboard});
}

void Drel::Milestone(std::u16string_view sData) {
  WriteUnconvertedTextCommand({kMilestone}, sData);
}

void Drel::MilestoneAndOpen(std::u16string_view sData) {
  WriteUnconvertedTextCommand({kMilestoneAndOpen}, sData);
}

void Drel::AckMilestone(std::u16string_view sData) {
  WriteUnconvertedTextCommand({kAckMilestone}, sData);
}

void Drel::SoftKey(int32_t lFunctionKey, std::u16string_view sData) {
  if (!InRange(lFunctionKey, 0, kMaxSmallNumber)) return;
  WriteUnconvertedTextCommand({kSoftKey, EncodeSmallNumber(lFunctionKey)}, sData);
}

}  // namespace carrowin
