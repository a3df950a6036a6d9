#pragma once

#include <memory>
#include <utility>

#include "carrowin/host/memory_settings_store.h"
#include "carrowin/host/store_object_settings.h"

namespace carrowin {

/// The default `ObjectSettings`: a `StoreObjectSettings` on a
/// `MemorySettingsStore`, by default the process's shared store.
///
///     carrowin::MemoryObjectSettings settings;
///     settings.SetObjectType(u"Terminal");
///     settings.Load(u"T1");
///     int32_t rows = settings.GetSetting(u"Rows", carrowin::Variant(int32_t{16})).ToLong();
class MemoryObjectSettings : public StoreObjectSettings {
 public:
  /// Raises error 91 when `store` is null.
  explicit MemoryObjectSettings(
      std::shared_ptr<MemorySettingsStore> store = MemorySettingsStore::Shared())
      : StoreObjectSettings(std::move(store)) {}
};

}  // namespace carrowin
