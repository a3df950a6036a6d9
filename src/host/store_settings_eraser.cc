#include "carrowin/host/store_settings_eraser.h"

#include <utility>

#include "carrowin/automation/error.h"
#include "required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kSource = u"SettingsEraser";
}  // namespace

StoreSettingsEraser::StoreSettingsEraser(std::shared_ptr<SettingsStore> store)
    : store_(RequireObject(std::move(store), kSource, u"The settings store is Nothing")) {}

void StoreSettingsEraser::SetObjectType(std::u16string_view objectType) {
  objectType_ = std::u16string(objectType);
}

void StoreSettingsEraser::SetObjectID(std::u16string_view objectID) {
  name_ = std::u16string(objectID);
}

void StoreSettingsEraser::RemoveSettings(const std::vector<std::u16string>& keys) {
  if (!name_) {
    RaiseError(errors::kObjectNotSet, kSource,
               u"No settings record is addressed: set ObjectID first");
  }
  store_->RemoveSettingsByName(objectType_, *name_, keys);
}

}  // namespace carrowin
