#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "carrowin/automation/variant.h"

namespace carrowin {

/// Settings records kept in memory, one per (object type, object ID), each a
/// set of named values. Object types, object IDs and keys are compared
/// without regard to ASCII letter case. Thread-safe.
///
/// The process has one shared store, which the default `ObjectSettings` and
/// `SettingsEraser` use; an application fills it before it initialises its
/// terminals, and may read back the status values they write:
///
///     auto store = carrowin::MemorySettingsStore::Shared();
///     store->SetSetting(u"Terminal", u"T1", u"TerminalId", carrowin::Variant(int32_t{7}));
///     store->SetSetting(u"Terminal", u"T1", u"Codepage", carrowin::Variant(int32_t{1252}));
///     terminal->Initialize(connection, u"T1");
///     bool online = store->GetSetting(u"Terminal", u"T1", u"statusOnline").ToBoolean();
///
/// A record may also be given a name (`SetName`); a record is then found by
/// its object ID or by its name, so that whoever addresses it by the name it
/// reports reaches the same record.
class MemorySettingsStore {
 public:
  MemorySettingsStore() = default;
  MemorySettingsStore(const MemorySettingsStore&) = delete;
  MemorySettingsStore& operator=(const MemorySettingsStore&) = delete;

  /// The store shared by the whole process.
  static std::shared_ptr<MemorySettingsStore> Shared();

  /// Stores a named value, creating the record when needed.
  void SetSetting(std::u16string_view objectType, std::u16string_view objectID,
                  std::u16string_view key, Variant value);
  /// The named value, or `defaultValue` when the record or the key is absent.
  Variant GetSetting(std::u16string_view objectType, std::u16string_view objectID,
                     std::u16string_view key, const Variant& defaultValue = Variant()) const;
  /// Removes a named value; returns whether it was there.
  bool RemoveSetting(std::u16string_view objectType, std::u16string_view objectID,
                     std::u16string_view key);

  /// Names the record (creating it when needed); an empty name restores the
  /// default.
  void SetName(std::u16string_view objectType, std::u16string_view objectID,
               std::u16string_view name);
  /// The record's name; by default the object ID as given here.
  std::u16string Name(std::u16string_view objectType, std::u16string_view objectID) const;

  /// Removes every record.
  void Clear();

 private:
  // Orders strings as if ASCII letters were all lower case; transparent, so
  // the maps can be searched with string views.
  struct CaseLess {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept;
  };
  struct Record {
    std::u16string name;  // empty: the object ID
    std::map<std::u16string, Variant, CaseLess> settings;
  };
  using Records = std::map<std::u16string, Record, CaseLess>;  // by object ID

  // mutex_ held by the callers of these.
  const Record* Find(std::u16string_view objectType, std::u16string_view objectID) const;
  Record* Find(std::u16string_view objectType, std::u16string_view objectID);
  Record& FindOrAdd(std::u16string_view objectType, std::u16string_view objectID);

  mutable std::mutex mutex_;
  std::map<std::u16string, Records, CaseLess> recordsByType_;
};

}  // namespace carrowin
