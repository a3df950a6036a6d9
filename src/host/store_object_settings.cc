#include "carrowin/host/store_object_settings.h"

#include <utility>

#include "carrowin/automation/error.h"
#include "required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"ObjectSettings";
}  // namespace

StoreObjectSettings::StoreObjectSettings(std::shared_ptr<SettingsStore> store)
    : store_(RequireObject(std::move(store), kSource, u"The settings store is Nothing")) {}

std::u16string StoreObjectSettings::ObjectType() const { return objectType_; }

void StoreObjectSettings::SetObjectType(std::u16string_view objectType) {
  objectType_ = std::u16string(objectType);
}

void StoreObjectSettings::Load(std::u16string_view objectID) {
  objectID_ = std::u16string(objectID);
}

std::u16string StoreObjectSettings::Name() const {
  return objectID_ ? store_->Name(objectType_, *objectID_) : std::u16string();
}

const std::u16string& StoreObjectSettings::SelectedID() const {
  if (!objectID_) {
    RaiseError(errors::kObjectNotSet, kSource,
               u"No settings record is selected: call Load with the object ID first");
  }
  return *objectID_;
}

Variant StoreObjectSettings::GetSetting(std::u16string_view key, const Variant& defaultValue) {
  return store_->GetSetting(objectType_, SelectedID(), key, defaultValue);
}

void StoreObjectSettings::SetSetting(std::u16string_view key, const Variant& value) {
  store_->SetSetting(objectType_, SelectedID(), key, value);
}

void StoreObjectSettings::SetDateCreated(std::u16string_view value) { dateCreated_ = value; }

void StoreObjectSettings::SetParentObjectType(std::u16string_view value) {
  parentObjectType_ = value;
}

void StoreObjectSettings::SetParentObjectID(std::u16string_view value) { parentObjectID_ = value; }

void StoreObjectSettings::SetDisplayText(std::u16string_view value) { displayText_ = value; }

void StoreObjectSettings::SetClassID(std::u16string_view value) { classID_ = value; }

}  // namespace carrowin
