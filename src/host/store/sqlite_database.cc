#include "host/store/sqlite_database.h"

#include <sqlite3.h>

#include <climits>
#include <thread>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "host/settings_rules.h"
#include "host/store/store_statement.h"

namespace carrowin {

namespace {

// Resets a statement whatever way its use ends, so that it never holds a
// read lock between calls.
struct StatementReset {
  sqlite3_stmt* statement;
  ~StatementReset() {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
  }
};

}  // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, std::chrono::milliseconds busyTimeout)
    : path_(path) {
  const int opened =
      sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (opened != SQLITE_OK) {
    // The handle (if any) carries the reason; it is closed by the destructor
    // only once construction has finished, so close it here.
    const std::string reason = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(opened);
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseError(errors::kPathFileAccessError, u"SettingsStore",
               Concat({u"Settings store 'sqlite:", FromUtf8(path), u"' cannot be opened: ",
                       FromUtf8(reason)}));
  }
  try {
    const auto timeout = busyTimeout.count();
    Check(sqlite3_busy_timeout(db_, timeout > INT_MAX ? INT_MAX : static_cast<int>(timeout)),
          "setting the busy timeout");
    // WAL lets readers go on while a writer commits; NORMAL syncs at
    // checkpoints only, which keeps every commit across a process crash.
    UseWriteAheadLog(busyTimeout);
    Execute("PRAGMA synchronous=NORMAL");
    CreateSchema();
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

SqliteDatabase::~SqliteDatabase() {
  for (sqlite3_stmt* statement : statements_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

std::u16string SqliteDatabase::Location() const {
  return Concat({u"'sqlite:", FromUtf8(path_), u"'"});
}

void SqliteDatabase::Check(int result, std::string_view doing) const {
  if (result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE) return;
  RaiseError(errors::kPathFileAccessError, u"SettingsStore",
             Concat({u"Settings store ", Location(), u" failed ", FromUtf8(doing), u": ",
                     FromUtf8(sqlite3_errmsg(db_))}));
}

void SqliteDatabase::Execute(const char* sql) {
  Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), sql);
}

void SqliteDatabase::UseWriteAheadLog(std::chrono::milliseconds busyTimeout) {
  // Switching a file to the log needs it to itself, and SQLite fails at once
  // rather than wait (waiting could deadlock): when several processes open a
  // new file together, all but one fail. Try again until the busy timeout is
  // spent; once the file uses the log, the switch is a no-op.
  const auto deadline = std::chrono::steady_clock::now() + busyTimeout;
  for (;;) {
    std::string mode;
    const int result = sqlite3_exec(
        db_, "PRAGMA journal_mode=WAL",
        [](void* out, int columns, char** values, char**) {
          if (columns > 0 && values[0] != nullptr) *static_cast<std::string*>(out) = values[0];
          return 0;
        },
        &mode, nullptr);
    if (result == SQLITE_BUSY && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      continue;
    }
    Check(result, "switching to a write-ahead log");
    if (mode != "wal") {
      RaiseError(errors::kPathFileAccessError, u"SettingsStore",
                 Concat({u"Settings store ", Location(),
                         u" cannot keep a write-ahead log: its journal mode stays '",
                         FromUtf8(mode), u"'"}));
    }
    return;
  }
}

int32_t SqliteDatabase::UserVersion() {
  sqlite3_stmt* statement = nullptr;
  Check(sqlite3_prepare_v2(db_, "PRAGMA user_version", -1, &statement, nullptr),
        "reading the schema version");
  const int stepped = sqlite3_step(statement);
  const int32_t version = stepped == SQLITE_ROW ? sqlite3_column_int(statement, 0) : 0;
  sqlite3_finalize(statement);
  Check(stepped, "reading the schema version");
  return version;
}

void SqliteDatabase::CreateSchema() {
  // Every process opening a new file races to create the tables: the write
  // lock makes one of them do it and the others see its version.
  Begin();
  try {
    const int32_t version = UserVersion();
    if (version > kStoreSchemaVersion) {
      RaiseError(errors::kCannotCreateObject, u"SettingsStore",
                 Concat({u"Settings store ", Location(), u" has schema version ",
                         FromUtf8(std::to_string(version)),
                         u", written by a newer library; this one reads up to version ",
                         FromUtf8(std::to_string(kStoreSchemaVersion))}));
    }
    if (version == 0) {
      Execute(std::string(SchemaSql()).c_str());
      Execute(("PRAGMA user_version=" + std::to_string(kStoreSchemaVersion)).c_str());
    }
    Commit();
  } catch (...) {
    Rollback();
    throw;
  }
}

void SqliteDatabase::Begin() {
  // IMMEDIATE takes the write lock now, so the checks made inside hold until
  // the commit.
  Execute("BEGIN IMMEDIATE");
}

void SqliteDatabase::LockObjectType(const std::string&) {
  // BEGIN IMMEDIATE already excludes every other writer of the file.
}

void SqliteDatabase::Commit() { Execute("COMMIT"); }

void SqliteDatabase::Rollback() noexcept {
  if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteDatabase::Scan(StoreStatement which, const std::vector<Text>& parameters,
                          const RowVisitor& visit) {
  sqlite3_stmt*& statement = statements_[static_cast<size_t>(which)];
  const std::string_view sql = StatementSql(which);
  if (statement == nullptr) {
    Check(sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                             SQLITE_PREPARE_PERSISTENT, &statement, nullptr),
          "preparing a statement");
  }
  const StatementReset reset{statement};
  for (size_t i = 0; i < parameters.size(); ++i) {
    const int index = static_cast<int>(i + 1);
    Check(parameters[i] ? sqlite3_bind_text64(statement, index, parameters[i]->data(),
                                              parameters[i]->size(), SQLITE_STATIC, SQLITE_UTF8)
                        : sqlite3_bind_null(statement, index),
          "binding a value");
  }
  std::vector<std::optional<std::string_view>> row(
      static_cast<size_t>(sqlite3_column_count(statement)));
  for (;;) {
    const int stepped = sqlite3_step(statement);
    if (stepped == SQLITE_DONE) break;
    Check(stepped, sql);
    for (size_t c = 0; c < row.size(); ++c) {
      const int column = static_cast<int>(c);
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      row[c].reset();
      if (text != nullptr) {
        row[c].emplace(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)));
      }
    }
    visit(row);
  }
}

void SqliteDatabase::RunAll(const std::vector<Statement>& statements) {
  // In-process: nothing to gain from sending them together.
  for (const Statement& statement : statements) Run(statement.statement, statement.parameters);
}

}  // namespace carrowin
