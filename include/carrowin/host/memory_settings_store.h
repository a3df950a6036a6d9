#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "carrowin/automation/variant.h"
#include "carrowin/host/settings_store.h"

namespace carrowin {

/// Settings records kept in memory, each a set of named values. Thread-safe:
/// every call is atomic.
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
/// Rules (a persistent store keeps the same ones):
///
/// - Text. Object types, object IDs, names and keys compare equal when they
///   differ only in the case of ASCII letters; every other character must
///   match exactly. IDs and keys keep the spelling first stored, a name the
///   spelling last given.
/// - Identity. A record is identified by (object type, object ID). Every call
///   that takes an object ID finds the record by that identifier alone, never
///   by a name, so a terminal without a record of its own reads defaults and
///   never another terminal's values. `SetSetting` and `SetName` create the
///   record of an ID that has none.
/// - Names. A record's name is its object ID until `SetName` gives it another;
///   an empty name restores that default. The name is how a settings eraser
///   addresses the record: `RemoveSettingsByName` finds the record whose name
///   or ID the text is, and is the only call that looks at names.
/// - Uniqueness. Within one object type, a text is the ID or the name of at
///   most one record; a record's name may equal its own ID. So, with error 457
///   (duplicate key) and nothing changed:
///   - `SetName` refuses a name that is another record's ID or name;
///   - creating a record (the first `SetSetting` or `SetName` of its ID)
///     is refused when the ID is another record's name: that terminal has no
///     record until the other record is renamed;
///   - `Name` of an ID without a record is refused when the ID is another
///     record's name, because that text would address the other record.
///   Renaming a record frees its old name for other records.
class MemorySettingsStore : public SettingsStore {
 public:
  MemorySettingsStore() = default;
  MemorySettingsStore(const MemorySettingsStore&) = delete;
  MemorySettingsStore& operator=(const MemorySettingsStore&) = delete;

  /// The store shared by the whole process.
  static std::shared_ptr<MemorySettingsStore> Shared();

  /// Stores a named value in the record of this ID, creating the record when
  /// needed (error 457 when its ID is another record's name).
  void SetSetting(std::u16string_view objectType, std::u16string_view objectID,
                  std::u16string_view key, Variant value) override;
  /// The named value of the record of this ID, or `defaultValue` when the
  /// record or the key is absent.
  Variant GetSetting(std::u16string_view objectType, std::u16string_view objectID,
                     std::u16string_view key,
                     const Variant& defaultValue = Variant()) const override;
  /// Removes a named value from the record of this ID; returns whether it was
  /// there.
  bool RemoveSetting(std::u16string_view objectType, std::u16string_view objectID,
                     std::u16string_view key) override;
  /// Removes these keys from the one record whose name or ID is `name`
  /// (absent keys, and a name no record answers to, are ignored).
  void RemoveSettingsByName(std::u16string_view objectType, std::u16string_view name,
                            const std::vector<std::u16string>& keys) override;

  /// Names the record of this ID, creating it when needed; an empty name
  /// restores the default. Error 457 as the uniqueness rule says.
  void SetName(std::u16string_view objectType, std::u16string_view objectID,
               std::u16string_view name) override;
  /// The name of the record of this ID; the ID as given here when it has
  /// none (or no record). Error 457 as the uniqueness rule says.
  std::u16string Name(std::u16string_view objectType, std::u16string_view objectID) const override;
  std::vector<SettingsRecord> Records(std::u16string_view objectType) const override;
  /// Nothing to do: every value is in place when its call returns.
  void Flush() override;

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
  // The records of one object type, and the owner of each name given.
  struct TypeRecords {
    std::map<std::u16string, Record, CaseLess> byID;
    std::map<std::u16string, std::u16string, CaseLess> idByName;
  };

  // mutex_ held by the callers of these.
  const Record* Find(std::u16string_view objectType, std::u16string_view objectID) const;
  Record* Find(std::u16string_view objectType, std::u16string_view objectID);
  Record& FindOrAdd(std::u16string_view objectType, std::u16string_view objectID);
  // The stored ID of the record whose ID or name is `text`, or null.
  const std::u16string* OwnerOf(std::u16string_view objectType, std::u16string_view text) const;
  // Raises 457, prefixed with `attempt`, when `text` is the ID or name of a
  // record other than the one of `objectID`.
  void CheckFree(std::u16string_view objectType, std::u16string_view objectID,
                 std::u16string_view text, std::u16string_view attempt) const;

  mutable std::mutex mutex_;
  std::map<std::u16string, TypeRecords, CaseLess> types_;
};

}  // namespace carrowin
