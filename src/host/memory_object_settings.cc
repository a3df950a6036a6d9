#include "carrowin/host/memory_object_settings.h"

#include <utility>

#include "carrowin/automation/error.h"
#include "required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"ObjectSettings";
}  // namespace

MemoryObjectSettings::MemoryObjectSettings(std::shared_ptr<MemorySettingsStore> store)
    : store_(RequireObject(std::move(store), kSource, u"The settings store is Nothing")) {}

std::u16string MemoryObjectSettings::ObjectType() const { return objectType_; }

void MemoryObjectSettings::SetObjectType(std::u16string_view objectType) {
  objectType_ = std::u16string(objectType);
}

void MemoryObjectSettings::Load(std::u16string_view objectID) {
  objectID_ = std::u16string(objectID);
}

std::u16string MemoryObjectSettings::Name() const {
  return objectID_ ? store_->Name(objectType_, *objectID_) : std::u16string();
}

const std::u16string& MemoryObjectSettings::SelectedID() const {
  if (!objectID_) {
    RaiseError(errors::kObjectNotSet, kSource,
               u"No settings record is selected: call Load with the object ID first");
  }
  return *objectID_;
}

Variant MemoryObjectSettings::GetSetting(std::u16string_view key, const Variant& defaultValue) {
  return store_->GetSetting(objectType_, SelectedID(), key, defaultValue);
}

void MemoryObjectSettings::SetSetting(std::u16string_view key, const Variant& value) {
  store_->SetSetting(objectType_, SelectedID(), key, value);
}

void MemoryObjectSettings::SetDateCreated(std::u16string_view value) { dateCreated_ = value; }

void MemoryObjectSettings::SetParentObjectType(std::u16string_view value) {
  parentObjectType_ = value;
}

void MemoryObjectSettings::SetParentObjectID(std::u16string_view value) { parentObjectID_ = value; }

void MemoryObjectSettings::SetDisplayText(std::u16string_view value) { displayText_ = value; }

void MemoryObjectSettings::SetClassID(std::u16string_view value) { classID_ = value; }

}  // namespace carrowin
