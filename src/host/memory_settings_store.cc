#include "carrowin/host/memory_settings_store.h"

#include <algorithm>
#include <utility>

#include "carrowin/automation/error.h"
#include "settings_rules.h"

namespace carrowin {

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
  const auto type = types_.find(objectType);
  if (type == types_.end()) return nullptr;
  const auto found = type->second.byID.find(objectID);
  return found == type->second.byID.end() ? nullptr : &found->second;
}

MemorySettingsStore::Record* MemorySettingsStore::Find(std::u16string_view objectType,
                                                       std::u16string_view objectID) {
  return const_cast<Record*>(std::as_const(*this).Find(objectType, objectID));
}

MemorySettingsStore::Record& MemorySettingsStore::FindOrAdd(std::u16string_view objectType,
                                                            std::u16string_view objectID) {
  if (Record* record = Find(objectType, objectID)) return *record;
  CheckFree(objectType, objectID, objectID,
            RecordText(objectType, objectID) + u" cannot be created");
  TypeRecords& records = types_.try_emplace(std::u16string(objectType)).first->second;
  return records.byID.try_emplace(std::u16string(objectID)).first->second;
}

const std::u16string* MemorySettingsStore::OwnerOf(std::u16string_view objectType,
                                                   std::u16string_view text) const {
  const auto type = types_.find(objectType);
  if (type == types_.end()) return nullptr;
  const TypeRecords& records = type->second;
  if (const auto byID = records.byID.find(text); byID != records.byID.end()) return &byID->first;
  const auto byName = records.idByName.find(text);
  return byName == records.idByName.end() ? nullptr : &byName->second;
}

void MemorySettingsStore::CheckFree(std::u16string_view objectType, std::u16string_view objectID,
                                    std::u16string_view text, std::u16string_view attempt) const {
  const std::u16string* owner = OwnerOf(objectType, text);
  if (owner == nullptr || EqualIgnoringAsciiCase(*owner, objectID)) return;
  RaiseTextTaken(attempt, text, *owner);
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

void MemorySettingsStore::RemoveSettingsByName(std::u16string_view objectType,
                                               std::u16string_view name,
                                               const std::vector<std::u16string>& keys) {
  std::lock_guard lock(mutex_);
  const std::u16string* owner = OwnerOf(objectType, name);
  if (owner == nullptr) return;
  auto& settings = Find(objectType, *owner)->settings;
  for (const std::u16string& key : keys) {
    if (const auto found = settings.find(key); found != settings.end()) settings.erase(found);
  }
}

void MemorySettingsStore::SetName(std::u16string_view objectType, std::u16string_view objectID,
                                  std::u16string_view name) {
  std::lock_guard lock(mutex_);
  // Every check before the record is created, so a refusal changes nothing.
  if (!name.empty()) {
    CheckFree(objectType, objectID, name,
              RecordText(objectType, objectID) + u" cannot be named " + Quoted(name));
  }
  FindOrAdd(objectType, objectID);
  TypeRecords& records = types_.find(objectType)->second;
  auto& [storedID, record] = *records.byID.find(objectID);
  if (!record.name.empty()) records.idByName.erase(record.name);
  record.name = std::u16string(name);
  if (!name.empty()) records.idByName.emplace(record.name, storedID);
}

std::u16string MemorySettingsStore::Name(std::u16string_view objectType,
                                         std::u16string_view objectID) const {
  std::lock_guard lock(mutex_);
  if (const Record* record = Find(objectType, objectID)) {
    return record->name.empty() ? std::u16string(objectID) : record->name;
  }
  // Without a record the name would be the ID, which must not lead an eraser
  // to the record that carries it as its name.
  CheckFree(objectType, objectID, objectID,
            RecordText(objectType, objectID) + u" does not exist and cannot be named by its ID");
  return std::u16string(objectID);
}

std::vector<SettingsRecord> MemorySettingsStore::Records(std::u16string_view objectType) const {
  std::lock_guard lock(mutex_);
  std::vector<SettingsRecord> records;
  const auto type = types_.find(objectType);
  if (type == types_.end()) return records;
  for (const auto& [id, record] : type->second.byID) {
    records.push_back({id,
                       record.name.empty() ? id : record.name,
                       {record.settings.begin(), record.settings.end()}});
  }
  return records;
}

void MemorySettingsStore::Flush() {}

void MemorySettingsStore::Clear() {
  std::lock_guard lock(mutex_);
  types_.clear();
}

}  // namespace carrowin
