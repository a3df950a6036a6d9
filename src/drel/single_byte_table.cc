#include "drel/single_byte_table.h"

#include <unicode/ucnv.h>

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "carrowin/automation/utf.h"
#include "drel/code_page_conversion.h"
#include "drel/converter_cache.h"

namespace carrowin {

namespace {

// One code page's table: decided once, under the lock; read without it.
struct TableSlot {
  std::atomic<bool> decided{false};
  std::unique_ptr<const SingleByteTable> table;  // set before `decided`, never after
};

struct SingleByteTables {
  std::mutex lock;
  std::array<TableSlot, kCodePageCount> slots;
};

constinit SingleByteTables tables;

}  // namespace

std::unique_ptr<const SingleByteTable> SingleByteTable::Build(const CodePageInfo& info) {
  UConverter* converter = ThreadConverter(info);
  if (converter == nullptr || ucnv_getMaxCharSize(converter) != 1) return nullptr;
  // Every code unit but the surrogates in one conversion: a single-byte
  // converter holds no state between characters, so the n-th byte is the
  // n-th unit's.
  std::u16string units;
  for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
    if (!IsSurrogate(static_cast<char16_t>(unit))) units.push_back(static_cast<char16_t>(unit));
  }
  std::vector<uint8_t> bytes;
  if (IcuFromUnicode(info, units, bytes).count != static_cast<int32_t>(units.size())) {
    return nullptr;
  }
  auto table = std::make_unique<SingleByteTable>();
  for (size_t i = 0; i < units.size(); ++i) table->bytes_[units[i]] = bytes[i];
  return table;
}

bool SingleByteTable::Convert(std::u16string_view text, std::vector<uint8_t>& bytes) const {
  bytes.resize(text.size());
  bool surrogate = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    surrogate |= IsSurrogate(unit);
    bytes[i] = bytes_[unit];
  }
  return !surrogate;
}

const SingleByteTable* FindSingleByteTable(const CodePageInfo& info) {
  TableSlot& slot = tables.slots[CodePageIndex(info)];
  if (!slot.decided.load(std::memory_order_acquire)) {
    const std::lock_guard<std::mutex> guard(tables.lock);
    if (!slot.decided.load(std::memory_order_relaxed)) {
      slot.table = SingleByteTable::Build(info);
      slot.decided.store(true, std::memory_order_release);
    }
  }
  return slot.table.get();
}

}  // namespace carrowin
