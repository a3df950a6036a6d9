#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/automation/variant.h"
#include "carrowin/host/settings_store.h"
#include "carrowin/host/settings_store_options.h"

namespace carrowin {

class SqlDatabase;

/// Settings records in a database that survives the process: an SQLite file
/// on this machine, or a PostgreSQL database that host processes on several
/// machines share. The same rules as `MemorySettingsStore` (see its header),
/// kept across every process using the database.
///
///     auto store = carrowin::DatabaseSettingsStore::Open("sqlite:/var/lib/site/settings.db");
///     store->SetSetting(u"Terminal", u"T1", u"TerminalId", carrowin::Variant(int32_t{7}));
///     carrowin::HostFactories::UseSettingsStore(store);
///
/// Writes go behind: `SetSetting` and the removals queue the value (reads of
/// this store see it at once) and a writer thread saves the queue in one
/// transaction at least every `flushInterval` (50 ms) or as soon as it holds
/// `flushRecords` values. Only the latest value of each record and key is
/// kept in the queue, and a removal replaces a queued value, so a removed
/// value never comes back. `Flush` and destruction save the queue at once.
///
/// Durability: what a transaction saved survives a crash of the application
/// (SQLite commits to its write-ahead log before `Flush` returns; PostgreSQL
/// once the server has confirmed the commit). Values still queued when the
/// application dies are lost: those written in the last `flushInterval`,
/// plus those of a save under way or failing, never one written before a
/// `Flush` that returned. On power loss or an operating-system
/// crash, an SQLite file (`synchronous=NORMAL`) keeps a consistent state but
/// may lose the transactions of the last moments before it; a PostgreSQL
/// server keeps every confirmed commit unless it runs with
/// `synchronous_commit` or `fsync` off.
///
/// Failures, raised as `carrowin::Error`:
///
/// - 5: a location that is neither `sqlite:PATH` nor a PostgreSQL URI; an
///   object type, ID, name or key holding the character U+0000.
/// - 13: a value that is an object or a byte array. The store keeps Empty,
///   Null, Boolean, Integer, Long, Double and String (in UTF-8, so an
///   unpaired surrogate comes back as U+FFFD).
/// - 75: the database cannot be opened, read or written: a missing, locked
///   (past `busyTimeout`) or damaged file, an unreachable server, a failed
///   statement.
/// - 429: the database was written by a newer version of the library.
/// - 457: the uniqueness rule of names and IDs.
///
/// A save that fails keeps its values queued and is retried at the next
/// interval; the failure is offered to `onError` and raised by the next
/// `SetSetting`, `RemoveSetting` or `RemoveSettingsByName` (which then does
/// nothing else). `Flush` tries to save at once and raises its own failure.
/// A failure on destruction can only be offered to `onError`: those values
/// are lost.
///
/// Thread-safe: the store's one connection is used one call at a time.
class DatabaseSettingsStore : public SettingsStore {
 public:
  /// Opens the store at `location`: `sqlite:PATH` (the file is created when
  /// missing) or a PostgreSQL connection URI (`postgresql://...`,
  /// `postgres://...`). Creates the tables on first use.
  static std::shared_ptr<DatabaseSettingsStore> Open(std::string_view location,
                                                     SettingsStoreOptions options = {});

  DatabaseSettingsStore(const DatabaseSettingsStore&) = delete;
  DatabaseSettingsStore& operator=(const DatabaseSettingsStore&) = delete;
  /// Saves what is queued (a failure goes to `onError`).
  ~DatabaseSettingsStore() override;

  void SetSetting(std::u16string_view objectType, std::u16string_view objectID,
                  std::u16string_view key, Variant value) override;
  Variant GetSetting(std::u16string_view objectType, std::u16string_view objectID,
                     std::u16string_view key, const Variant& defaultValue) const override;
  bool RemoveSetting(std::u16string_view objectType, std::u16string_view objectID,
                     std::u16string_view key) override;
  void RemoveSettingsByName(std::u16string_view objectType, std::u16string_view name,
                            const std::vector<std::u16string>& keys) override;
  /// Saved at once, with the check of the uniqueness rule, in a transaction
  /// that other processes cannot interleave.
  void SetName(std::u16string_view objectType, std::u16string_view objectID,
               std::u16string_view name) override;
  std::u16string Name(std::u16string_view objectType, std::u16string_view objectID) const override;
  /// The saved records with this store's queued values applied. Reading them
  /// also spares the first write to each of them a look-up.
  std::vector<SettingsRecord> Records(std::u16string_view objectType) const override;
  /// Saves the queue now; raises the failure when that fails (the values stay
  /// queued).
  void Flush() override;

 private:
  DatabaseSettingsStore(std::unique_ptr<SqlDatabase> database, SettingsStoreOptions options);

  // A queued value: the record and key it belongs to, in folded form,
  // "type\0id\0key", and what to do with it.
  struct Pending {
    size_t idStart;
    size_t keyStart;
    std::u16string key;  // as the caller spelled it
    Variant value;
    bool removed;
    // A value set after a removal takes the spelling of its own key.
    bool replacesRemoved;
  };
  using Queue = std::unordered_map<std::u16string, Pending>;
  // Hashes text and views alike, so that a record's key is looked up as the
  // front of a value's key without a copy.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const noexcept {
      return std::hash<std::u16string_view>()(text);
    }
  };

  // Folded "type\0id\0key" (or "type\0id" without a key); raises 5 for a
  // text holding U+0000.
  static std::u16string FoldedKey(std::u16string_view objectType, std::u16string_view objectID,
                                  std::optional<std::u16string_view> key);
  void WriterLoop();
  // A later queued change of the same record and key folded into `older`.
  static void Apply(Pending& older, Pending&& newer);
  // Saves the queue in one transaction; returns whether it did. Raises the
  // failure when `raise`, otherwise keeps it for the next call and offers it
  // to onError.
  bool Save(bool raise);
  // queueMutex_ held: raises the failure of a background save, once.
  void RaiseFailedSave();
  // queueMutex_ held.
  void Enqueue(std::u16string settingKey, size_t idStart, size_t keyStart, std::u16string_view key,
               Variant value, bool removed);
  // The value of this record and key: queued, saved, or none.
  std::optional<Variant> Lookup(std::u16string_view objectType, std::u16string_view objectID,
                                std::u16string_view key) const;
  // Creates the record unless this store has seen it.
  void MakeKnown(std::u16string_view objectType, std::u16string_view objectID,
                 std::u16string_view recordKey);

  SettingsStoreOptions options_;

  // Guards the connection; taken before queueMutex_ when both are needed.
  mutable std::mutex databaseMutex_;
  std::unique_ptr<SqlDatabase> database_;

  mutable std::mutex queueMutex_;
  std::condition_variable wake_;
  Queue queue_;
  Queue saving_;  // the values of the transaction under way
  // Records this store has seen exist (a cache: records are never deleted).
  mutable std::unordered_set<std::u16string, TextHash, std::equal_to<>> knownRecords_;
  std::optional<Error> failedSave_;
  bool stopping_ = false;

  std::thread writer_;
};

}  // namespace carrowin
