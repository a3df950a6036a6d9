#include "carrowin/host/database_settings_store.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "carrowin/automation/utf.h"
#include "host/settings_rules.h"
#include "host/store/postgres_database.h"
#include "host/store/sql_database.h"
#include "host/store/sqlite_database.h"
#include "host/store/stored_value.h"

namespace carrowin {

namespace {

constexpr std::u16string_view kSource = u"SettingsStore";
using Text = SqlDatabase::Text;

// The folded text in the form the database compares.
std::string KeyText(std::u16string_view text) { return ToUtf8(FoldedAsciiCase(text)); }

void CheckText(std::u16string_view text) {
  // PostgreSQL text cannot hold it, and the queue separates its parts by it.
  if (text.find(u'\0') == std::u16string_view::npos) return;
  RaiseError(errors::kInvalidProcedureCall, kSource,
             u"A settings store cannot keep an object type, ID, name or key holding the "
             u"character U+0000");
}

// A transaction rolled back unless committed.
class Transaction {
 public:
  explicit Transaction(SqlDatabase& database) : database_(database) { database_.Begin(); }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction() {
    if (!committed_) database_.Rollback();
  }
  void Commit() {
    database_.Commit();
    committed_ = true;
  }

 private:
  SqlDatabase& database_;
  bool committed_ = false;
};

// The stored ID of the record whose ID or name is `text`.
std::optional<std::u16string> OwnerOf(SqlDatabase& database, const std::string& typeKey,
                                      std::u16string_view text) {
  const std::string textKey = KeyText(text);
  std::vector<SqlDatabase::Row> rows =
      database.Run(StoreStatement::kFindRecord, {typeKey, textKey});
  if (rows.empty()) rows = database.Run(StoreStatement::kFindRecordByName, {typeKey, textKey});
  if (rows.empty() || rows.front().empty()) return std::nullopt;
  return FromUtf8(rows.front().front().value_or(""));
}

// Raises 457, prefixed with `attempt`, when `text` is the ID or name of a
// record other than the one of `objectID`.
void CheckFree(SqlDatabase& database, std::u16string_view objectType, std::u16string_view objectID,
               std::u16string_view text, std::u16string_view attempt) {
  const std::optional<std::u16string> owner = OwnerOf(database, KeyText(objectType), text);
  if (owner && !EqualIgnoringAsciiCase(*owner, objectID)) RaiseTextTaken(attempt, text, *owner);
}

bool RecordExists(SqlDatabase& database, std::u16string_view objectType,
                  std::u16string_view objectID) {
  return !database.Run(StoreStatement::kFindRecord, {KeyText(objectType), KeyText(objectID)})
              .empty();
}

// Inside a transaction holding the type's lock: creates the record of this
// ID unless it exists.
void AddRecord(SqlDatabase& database, std::u16string_view objectType,
               std::u16string_view objectID) {
  if (RecordExists(database, objectType, objectID)) return;
  CheckFree(database, objectType, objectID, objectID,
            RecordText(objectType, objectID) + u" cannot be created");
  database.Run(StoreStatement::kInsertRecord,
               {KeyText(objectType), KeyText(objectID), ToUtf8(objectType), ToUtf8(objectID)});
}

std::unique_ptr<SqlDatabase> OpenDatabase(std::string_view location,
                                          const SettingsStoreOptions& options) {
  constexpr std::string_view kSqlite = "sqlite:";
  if (location.starts_with(kSqlite) && location.size() > kSqlite.size()) {
    return std::make_unique<SqliteDatabase>(std::string(location.substr(kSqlite.size())),
                                            options.busyTimeout);
  }
  if (location.starts_with("postgresql://") || location.starts_with("postgres://")) {
    return std::make_unique<PostgresDatabase>(std::string(location));
  }
  RaiseError(errors::kInvalidProcedureCall, kSource,
             Concat({u"'", FromUtf8(location),
                     u"' is not a settings store location: expected sqlite:PATH or a "
                     u"postgresql:// URI"}));
}

}  // namespace

std::shared_ptr<DatabaseSettingsStore> DatabaseSettingsStore::Open(std::string_view location,
                                                                   SettingsStoreOptions options) {
  std::unique_ptr<SqlDatabase> database = OpenDatabase(location, options);
  return std::shared_ptr<DatabaseSettingsStore>(
      new DatabaseSettingsStore(std::move(database), std::move(options)));
}

DatabaseSettingsStore::DatabaseSettingsStore(std::unique_ptr<SqlDatabase> database,
                                             SettingsStoreOptions options)
    : options_(std::move(options)), database_(std::move(database)) {
  options_.flushRecords = std::max<size_t>(options_.flushRecords, 1);
  writer_ = std::thread(&DatabaseSettingsStore::WriterLoop, this);
}

DatabaseSettingsStore::~DatabaseSettingsStore() {
  {
    std::lock_guard lock(queueMutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  writer_.join();
  Save(false);
}

std::u16string DatabaseSettingsStore::FoldedKey(std::u16string_view objectType,
                                                std::u16string_view objectID,
                                                std::optional<std::u16string_view> key) {
  CheckText(objectType);
  CheckText(objectID);
  std::u16string folded;
  folded.reserve(objectType.size() + objectID.size() + (key ? key->size() + 2 : 1));
  folded.append(objectType).push_back(u'\0');
  folded.append(objectID);
  if (key) {
    CheckText(*key);
    folded.push_back(u'\0');
    folded.append(*key);
  }
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldAsciiCase);
  return folded;
}

void DatabaseSettingsStore::WriterLoop() {
  std::unique_lock lock(queueMutex_);
  bool saved = true;
  while (!stopping_) {
    const auto next = std::chrono::steady_clock::now() + options_.flushInterval;
    // After a failure, wait out the interval even with a full queue, so that
    // an unreachable database is not hammered.
    wake_.wait_until(
        lock, next, [&] { return stopping_ || (saved && queue_.size() >= options_.flushRecords); });
    if (stopping_) break;
    lock.unlock();
    saved = Save(false);
    lock.lock();
  }
}

void DatabaseSettingsStore::Apply(Pending& older, Pending&& newer) {
  if (newer.removed) {
    older.removed = true;
    older.value = Variant();
    return;
  }
  if (older.removed || newer.replacesRemoved) {
    older.key = std::move(newer.key);
    older.replacesRemoved = true;
  }
  older.removed = false;
  older.value = std::move(newer.value);
}

void DatabaseSettingsStore::Enqueue(std::u16string settingKey, size_t idStart, size_t keyStart,
                                    std::u16string_view key, Variant value, bool removed) {
  Pending change{idStart, keyStart, std::u16string(key), std::move(value), removed, false};
  const auto [found, added] = queue_.try_emplace(std::move(settingKey), std::move(change));
  if (!added) Apply(found->second, std::move(change));
  if (added && queue_.size() == options_.flushRecords) wake_.notify_one();
}

void DatabaseSettingsStore::RaiseFailedSave() {
  if (!failedSave_) return;
  const Error failure = std::move(*failedSave_);
  failedSave_.reset();
  RaiseError(failure.Number(), failure.Source(),
             u"Queued settings could not be saved and stay queued for the next attempt: " +
                 failure.Description());
}

bool DatabaseSettingsStore::Save(bool raise) {
  std::unique_lock databaseLock(databaseMutex_);
  {
    std::lock_guard lock(queueMutex_);
    if (queue_.empty()) return true;
    saving_.swap(queue_);
  }
  // Only this thread changes saving_ now, under databaseMutex_; readers only
  // read it. Rows are written in key order so that concurrent transactions of
  // several processes lock them in the same order and never deadlock.
  std::vector<const Queue::value_type*> order;
  order.reserve(saving_.size());
  for (const auto& change : saving_) order.push_back(&change);
  std::sort(order.begin(), order.end(), [](auto a, auto b) { return a->first < b->first; });
  try {
    std::vector<SqlDatabase::Statement> statements;
    statements.reserve(order.size());
    for (const auto* change : order) {
      const std::u16string_view settingKey = change->first;
      const Pending& pending = change->second;
      std::string typeKey = ToUtf8(settingKey.substr(0, pending.idStart - 1));
      std::string idKey =
          ToUtf8(settingKey.substr(pending.idStart, pending.keyStart - 1 - pending.idStart));
      std::string keyKey = ToUtf8(settingKey.substr(pending.keyStart));
      if (pending.removed || pending.replacesRemoved) {
        statements.push_back({StoreStatement::kRemoveSetting, {typeKey, idKey, keyKey}});
      }
      if (!pending.removed) {
        StoredValue stored = ToStoredValue(pending.value);
        statements.push_back(
            {StoreStatement::kPutSetting,
             {std::move(typeKey), std::move(idKey), std::move(keyKey), ToUtf8(pending.key),
              std::move(stored.type), std::move(stored.text)}});
      }
    }
    Transaction transaction(*database_);
    database_->RunAll(statements);
    transaction.Commit();
  } catch (...) {
    Error failure = ErrorFromCurrentException(kSource);
    {
      // Back into the queue, under the changes made since.
      std::lock_guard lock(queueMutex_);
      for (auto& [settingKey, older] : saving_) {
        const auto [found, added] = queue_.try_emplace(settingKey, std::move(older));
        if (added) continue;
        Pending newer = std::move(found->second);
        found->second = std::move(older);
        Apply(found->second, std::move(newer));
      }
      saving_.clear();
      if (!raise) failedSave_ = failure;
    }
    databaseLock.unlock();
    if (raise) RaiseError(failure.Number(), failure.Source(), failure.Description());
    if (options_.onError) options_.onError(failure);
    return false;
  }
  // Emptied outside the lock, then handed back with its buckets, which the
  // next save passes on to the queue: a busy queue is not regrown each time.
  Queue saved;
  {
    std::lock_guard lock(queueMutex_);
    saved.swap(saving_);
  }
  saved.clear();
  std::lock_guard lock(queueMutex_);
  saving_.swap(saved);
  return true;
}

void DatabaseSettingsStore::MakeKnown(std::u16string_view objectType, std::u16string_view objectID,
                                      std::u16string_view recordKey) {
  {
    std::lock_guard lock(databaseMutex_);
    if (!RecordExists(*database_, objectType, objectID)) {
      Transaction transaction(*database_);
      database_->LockObjectType(KeyText(objectType));
      AddRecord(*database_, objectType, objectID);
      transaction.Commit();
    }
  }
  std::lock_guard lock(queueMutex_);
  knownRecords_.emplace(recordKey);
}

void DatabaseSettingsStore::SetSetting(std::u16string_view objectType, std::u16string_view objectID,
                                       std::u16string_view key, Variant value) {
  CheckStorable(value);
  std::u16string settingKey = FoldedKey(objectType, objectID, key);
  const size_t idStart = objectType.size() + 1;
  const size_t keyStart = idStart + objectID.size() + 1;
  const std::u16string_view recordKey = std::u16string_view(settingKey).substr(0, keyStart - 1);
  {
    std::lock_guard lock(queueMutex_);
    RaiseFailedSave();
    if (knownRecords_.contains(recordKey)) {
      Enqueue(std::move(settingKey), idStart, keyStart, key, std::move(value), false);
      return;
    }
  }
  MakeKnown(objectType, objectID, recordKey);
  std::lock_guard lock(queueMutex_);
  Enqueue(std::move(settingKey), idStart, keyStart, key, std::move(value), false);
}

std::optional<Variant> DatabaseSettingsStore::Lookup(std::u16string_view objectType,
                                                     std::u16string_view objectID,
                                                     std::u16string_view key) const {
  const std::u16string settingKey = FoldedKey(objectType, objectID, key);
  {
    std::lock_guard lock(queueMutex_);
    // The queue holds the newer change of the two.
    for (const Queue* queue : {&queue_, &saving_}) {
      const auto found = queue->find(settingKey);
      if (found == queue->end()) continue;
      if (found->second.removed) return std::nullopt;
      return found->second.value;
    }
  }
  std::lock_guard lock(databaseMutex_);
  const std::vector<SqlDatabase::Row> rows = database_->Run(
      StoreStatement::kGetSetting, {KeyText(objectType), KeyText(objectID), KeyText(key)});
  if (rows.empty() || rows.front().size() < 2) return std::nullopt;
  return FromStoredValue(rows.front()[0], rows.front()[1], database_->Location());
}

Variant DatabaseSettingsStore::GetSetting(std::u16string_view objectType,
                                          std::u16string_view objectID, std::u16string_view key,
                                          const Variant& defaultValue) const {
  std::optional<Variant> value = Lookup(objectType, objectID, key);
  return value ? std::move(*value) : defaultValue;
}

bool DatabaseSettingsStore::RemoveSetting(std::u16string_view objectType,
                                          std::u16string_view objectID, std::u16string_view key) {
  {
    std::lock_guard lock(queueMutex_);
    RaiseFailedSave();
  }
  if (!Lookup(objectType, objectID, key)) return false;
  const size_t idStart = objectType.size() + 1;
  std::lock_guard lock(queueMutex_);
  Enqueue(FoldedKey(objectType, objectID, key), idStart, idStart + objectID.size() + 1, key,
          Variant(), true);
  return true;
}

void DatabaseSettingsStore::RemoveSettingsByName(std::u16string_view objectType,
                                                 std::u16string_view name,
                                                 const std::vector<std::u16string>& keys) {
  CheckText(objectType);
  CheckText(name);
  for (const std::u16string& key : keys) CheckText(key);
  {
    std::lock_guard lock(queueMutex_);
    RaiseFailedSave();
  }
  std::optional<std::u16string> owner;
  {
    std::lock_guard lock(databaseMutex_);
    owner = OwnerOf(*database_, KeyText(objectType), name);
  }
  if (!owner) return;
  const size_t idStart = objectType.size() + 1;
  std::lock_guard lock(queueMutex_);
  for (const std::u16string& key : keys) {
    Enqueue(FoldedKey(objectType, *owner, key), idStart, idStart + owner->size() + 1, key,
            Variant(), true);
  }
}

void DatabaseSettingsStore::SetName(std::u16string_view objectType, std::u16string_view objectID,
                                    std::u16string_view name) {
  CheckText(name);
  const std::u16string recordKey = FoldedKey(objectType, objectID, std::nullopt);
  {
    std::lock_guard lock(databaseMutex_);
    Transaction transaction(*database_);
    database_->LockObjectType(KeyText(objectType));
    // Every check before the record is created, so a refusal changes nothing.
    if (!name.empty()) {
      CheckFree(*database_, objectType, objectID, name,
                RecordText(objectType, objectID) + u" cannot be named " + Quoted(name));
    }
    AddRecord(*database_, objectType, objectID);
    const Text nameText = name.empty() ? Text() : Text(ToUtf8(name));
    const Text nameKey = name.empty() ? Text() : Text(KeyText(name));
    database_->Run(StoreStatement::kSetName,
                   {nameText, nameKey, KeyText(objectType), KeyText(objectID)});
    transaction.Commit();
  }
  std::lock_guard lock(queueMutex_);
  knownRecords_.insert(recordKey);
}

std::u16string DatabaseSettingsStore::Name(std::u16string_view objectType,
                                           std::u16string_view objectID) const {
  CheckText(objectType);
  CheckText(objectID);
  std::lock_guard lock(databaseMutex_);
  const std::vector<SqlDatabase::Row> rows =
      database_->Run(StoreStatement::kFindRecord, {KeyText(objectType), KeyText(objectID)});
  if (!rows.empty() && rows.front().size() >= 2) {
    return rows.front()[1] ? FromUtf8(*rows.front()[1]) : std::u16string(objectID);
  }
  // Without a record the name would be the ID, which must not lead an eraser
  // to the record that carries it as its name.
  CheckFree(*database_, objectType, objectID, objectID,
            RecordText(objectType, objectID) + u" does not exist and cannot be named by its ID");
  return std::u16string(objectID);
}

std::vector<SettingsRecord> DatabaseSettingsStore::Records(std::u16string_view objectType) const {
  CheckText(objectType);
  const std::string typeKey = KeyText(objectType);
  std::vector<SettingsRecord> records;
  std::unordered_map<std::u16string, size_t> recordOf;  // by folded ID
  std::unique_lock databaseLock(databaseMutex_);
  database_->Scan(StoreStatement::kListRecords, {typeKey}, [&](SqlDatabase::RowView row) {
    if (row.size() < 3 || !row[0] || !row[1]) return;
    std::u16string id = FromUtf8(*row[1]);
    std::u16string name = row[2] ? FromUtf8(*row[2]) : id;
    recordOf.emplace(FromUtf8(*row[0]), records.size());
    records.push_back({std::move(id), std::move(name), {}});
  });
  // The settings come grouped by record: one look-up per record.
  const std::u16string location = database_->Location();
  std::string lastID;
  SettingsRecord* record = nullptr;
  database_->Scan(StoreStatement::kListSettings, {typeKey}, [&](SqlDatabase::RowView row) {
    if (row.size() < 5 || !row[0] || !row[2]) return;
    if (record == nullptr || lastID != *row[0]) {
      lastID = *row[0];
      const auto found = recordOf.find(FromUtf8(*row[0]));
      record = found == recordOf.end() ? nullptr : &records[found->second];
      if (record == nullptr) return;
    }
    record->settings.emplace_back(FromUtf8(*row[2]), FromStoredValue(row[3], row[4], location));
  });
  databaseLock.unlock();

  // The queued changes on top, older ones first.
  const std::u16string typePrefix = FoldedAsciiCase(objectType) + u'\0';
  {
    std::lock_guard lock(queueMutex_);
    // Records are never deleted: the ones listed need no check on their
    // next write, which spares a host process starting against a large site
    // one query per terminal.
    for (const auto& [idKey, index] : recordOf) knownRecords_.insert(typePrefix + idKey);
    for (const Queue* queue : {&saving_, &queue_}) {
      for (const auto& [settingKey, pending] : *queue) {
        const std::u16string_view text = settingKey;
        if (!text.starts_with(typePrefix)) continue;
        const auto record = recordOf.find(
            std::u16string(text.substr(pending.idStart, pending.keyStart - 1 - pending.idStart)));
        if (record == recordOf.end()) continue;
        auto& settings = records[record->second].settings;
        const std::u16string_view keyKey = text.substr(pending.keyStart);
        const auto same = std::find_if(settings.begin(), settings.end(), [&](const auto& setting) {
          return EqualIgnoringAsciiCase(setting.first, keyKey);
        });
        const bool present = same != settings.end();
        if (present && (pending.removed || pending.replacesRemoved)) {
          settings.erase(same);
        } else if (present) {
          same->second = pending.value;
        }
        if (!pending.removed && (!present || pending.replacesRemoved)) {
          settings.emplace_back(pending.key, pending.value);
        }
      }
    }
  }
  // In the order of the memory store: folded text, unit by unit.
  const auto folded = [](std::u16string_view a, std::u16string_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return FoldAsciiCase(x) < FoldAsciiCase(y); });
  };
  std::sort(records.begin(), records.end(),
            [&](const auto& a, const auto& b) { return folded(a.objectID, b.objectID); });
  for (SettingsRecord& record : records) {
    std::sort(record.settings.begin(), record.settings.end(),
              [&](const auto& a, const auto& b) { return folded(a.first, b.first); });
  }
  return records;
}

void DatabaseSettingsStore::Flush() {
  {
    std::lock_guard lock(queueMutex_);
    failedSave_.reset();
  }
  Save(true);
}

}  // namespace carrowin
