#pragma once

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "host/store/sql_database.h"

struct sqlite3;
struct sqlite3_stmt;

namespace carrowin {

/// The store in one SQLite file, shared safely by the threads and processes
/// that open it: write-ahead log, `synchronous=NORMAL`, writers waiting up
/// to the busy timeout for each other. Statements are prepared once per
/// connection.
class SqliteDatabase : public SqlDatabase {
 public:
  /// Opens (creating when missing) the file and its tables; raises 75 when
  /// it cannot, 429 when a newer library wrote it.
  SqliteDatabase(const std::string& path, std::chrono::milliseconds busyTimeout);
  ~SqliteDatabase() override;

  std::u16string Location() const override;
  void Begin() override;
  void LockObjectType(const std::string& typeKey) override;
  void Commit() override;
  void Rollback() noexcept override;
  void Scan(StoreStatement statement, const std::vector<Text>& parameters,
            const RowVisitor& visit) override;
  void RunAll(const std::vector<Statement>& statements) override;

 private:
  // Runs SQL without parameters or results.
  void Execute(const char* sql);
  // Raises 75 with the connection's last error when `result` is a failure.
  void Check(int result, std::string_view doing) const;
  // Switches the file to a write-ahead log, waiting up to `busyTimeout` for
  // other connections that hold it.
  void UseWriteAheadLog(std::chrono::milliseconds busyTimeout);
  int32_t UserVersion();
  void CreateSchema();

  std::string path_;
  sqlite3* db_ = nullptr;
  std::array<sqlite3_stmt*, static_cast<size_t>(StoreStatement::kCount)> statements_{};
};

}  // namespace carrowin
