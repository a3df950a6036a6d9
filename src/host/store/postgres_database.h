#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/store/sql_database.h"

struct pg_conn;
struct pg_result;

namespace carrowin {

/// The store in a PostgreSQL database that host processes on several
/// machines share. A transaction that checks names and IDs holds an advisory
/// lock on its object type, so the uniqueness rule holds across processes.
/// Statements are prepared once per connection; a lost connection is opened
/// again by the next transaction.
class PostgresDatabase : public SqlDatabase {
 public:
  /// Connects and creates the tables; raises 5 when `uri` cannot be parsed,
  /// 75 when the server cannot be reached, 429 when a newer library wrote
  /// the database.
  explicit PostgresDatabase(const std::string& uri);
  ~PostgresDatabase() override;

  std::u16string Location() const override;
  void Begin() override;
  void LockObjectType(const std::string& typeKey) override;
  void Commit() override;
  void Rollback() noexcept override;
  void Scan(StoreStatement statement, const std::vector<Text>& parameters,
            const RowVisitor& visit) override;
  void RunAll(const std::vector<Statement>& statements) override;

 private:
  // Runs SQL with text parameters ($1, $2, ...) and returns its rows.
  std::vector<Row> Execute(const std::string& sql, const std::vector<Text>& parameters = {});
  // Hands the rows of a statement's result to `visit` (if any) and frees
  // it; raises 75 when the statement failed.
  void Collect(pg_result* result, std::string_view doing, const RowVisitor& visit);
  // The name of the statement, prepared on this connection.
  std::string Prepared(StoreStatement statement, size_t parameterCount);
  // Reads the results of a pipeline up to its sync; returns the first
  // failure, or nothing.
  std::string DrainPipeline(size_t sent);
  [[noreturn]] void Fail(std::string_view doing, const std::string& reason) const;
  // Connects again when the connection was lost, and sets it up.
  void Reconnect();
  // Outside a transaction: `call`, and once more on a new connection when it
  // failed because the connection was lost.
  template <class Call>
  auto Retried(Call call);
  void CreateSchema();

  std::u16string shownLocation_;  // the URI without its password
  pg_conn* connection_ = nullptr;
  bool configured_ = false;  // notices silenced, UTF-8 chosen
  std::array<bool, static_cast<size_t>(StoreStatement::kCount)> prepared_{};
};

}  // namespace carrowin
