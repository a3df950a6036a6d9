#pragma once

#include <memory>
#include <utility>

#include "carrowin/host/memory_settings_store.h"
#include "carrowin/host/store_settings_eraser.h"

namespace carrowin {

/// The default `SettingsEraser`: a `StoreSettingsEraser` on a
/// `MemorySettingsStore`, by default the process's shared store.
///
///     carrowin::MemorySettingsEraser eraser;
///     eraser.SetObjectType(settings->ObjectType());
///     eraser.SetObjectID(settings->Name());
///     eraser.RemoveSettings({u"statusScreen"});
class MemorySettingsEraser : public StoreSettingsEraser {
 public:
  /// Raises error 91 when `store` is null.
  explicit MemorySettingsEraser(
      std::shared_ptr<MemorySettingsStore> store = MemorySettingsStore::Shared())
      : StoreSettingsEraser(std::move(store)) {}
};

}  // namespace carrowin
