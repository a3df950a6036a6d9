#include "carrowin/host/memory_settings_store.h"

#include <algorithm>
#include <utility>

namespace carrowin {

namespace {

constexpr char16_t FoldAsciiCase(char16_t c) noexcept {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) noexcept {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

}  // namespace

bool MemorySettingsStore::CaseLess::operator()(std::u16string_view a,
                                               std::u16string_view b) const noexcept {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return FoldAsciiCase(x) < FoldAsciiCase(y); });
}

std::shared_ptr<MemorySettingsStore> MemorySettingsStore::Shared() {
  static const std::shared_ptr<MemorySettingsStore> shared =
      std::make_shared<MemorySettingsStore>();
  return shared;
}

const MemorySettingsStore::Record* MemorySettingsStore::Find(std::u16string_view objectType,
                                                             std::u16string_view objectID) const {
  const auto type = recordsByType_.find(objectType);
  if (type == recordsByType_.end()) return nullptr;
  const Records& records = type->second;
  if (const auto byID = records.find(objectID); byID != records.end()) return &byID->second;
  // An ID wins over a name, so naming one record never hides another.
  const auto byName = std::find_if(records.begin(), records.end(), [objectID](const auto& entry) {
    return !entry.second.name.empty() && EqualIgnoringAsciiCase(entry.second.name, objectID);
  });
  return byName == records.end() ? nullptr : &byName->second;
}

MemorySettingsStore::Record* MemorySettingsStore::Find(std::u16string_view objectType,
                                                       std::u16string_view objectID) {
  return const_cast<Record*>(std::as_const(*this).Find(objectType, objectID));
}

MemorySettingsStore::Record& MemorySettingsStore::FindOrAdd(std::u16string_view objectType,
                                                            std::u16string_view objectID) {
  if (Record* record = Find(objectType, objectID)) return *record;
  Records& records = recordsByType_.try_emplace(std::u16string(objectType)).first->second;
  return records.try_emplace(std::u16string(objectID)).first->second;
}

void MemorySettingsStore::SetSetting(std::u16string_view objectType, std::u16string_view objectID,
                                     std::u16string_view key, Variant value) {
  std::lock_guard lock(mutex_);
  auto& settings = FindOrAdd(objectType, objectID).settings;
  // Keep the spelling of the key as first stored; only the value changes.
  if (const auto found = settings.find(key); found != settings.end()) {
    found->second = std::move(value);
  } else {
    settings.emplace(std::u16string(key), std::move(value));
  }
}

Variant MemorySettingsStore::GetSetting(std::u16string_view objectType,
                                        std::u16string_view objectID, std::u16string_view key,
                                        const Variant& defaultValue) const {
  std::lock_guard lock(mutex_);
  const Record* record = Find(objectType, objectID);
  if (record == nullptr) return defaultValue;
  const auto found = record->settings.find(key);
  return found == record->settings.end() ? defaultValue : found->second;
}

bool MemorySettingsStore::RemoveSetting(std::u16string_view objectType,
                                        std::u16string_view objectID, std::u16string_view key) {
  std::lock_guard lock(mutex_);
  Record* record = Find(objectType, objectID);
  if (record == nullptr) return false;
  const auto found = record->settings.find(key);
  if (found == record->settings.end()) return false;
  record->settings.erase(found);
  return true;
}

void MemorySettingsStore::SetName(std::u16string_view objectType, std::u16string_view objectID,
                                  std::u16string_view name) {
  std::lock_guard lock(mutex_);
  FindOrAdd(objectType, objectID).name = std::u16string(name);
}

std::u16string MemorySettingsStore::Name(std::u16string_view objectType,
                                         std::u16string_view objectID) const {
  std::lock_guard lock(mutex_);
  const Record* record = Find(objectType, objectID);
  return record == nullptr || record->name.empty() ? std::u16string(objectID) : record->name;
}

void MemorySettingsStore::Clear() {
  std::lock_guard lock(mutex_);
  recordsByType_.clear();
}

}  // namespace carrowin
