#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/store/store_statement.h"

namespace carrowin {

/// One connection to the database behind a `DatabaseSettingsStore`; the
/// store uses it one call at a time. Text is UTF-8, NULL is an empty
/// optional. Every failure is raised as error 75 naming the store.
class SqlDatabase {
 public:
  using Text = std::optional<std::string>;
  using Row = std::vector<Text>;
  /// A row's texts, valid while the visitor that is handed them runs.
  using RowView = std::span<const std::optional<std::string_view>>;
  using RowVisitor = std::function<void(RowView)>;
  struct Statement {
    StoreStatement statement;
    std::vector<Text> parameters;
  };

  virtual ~SqlDatabase() = default;

  /// The location in quotes, as messages show it (never a password).
  virtual std::u16string Location() const = 0;

  /// Starts a transaction that writes; other connections' writes wait or
  /// fail, never interleave with the checks it makes.
  virtual void Begin() = 0;
  /// Inside a transaction: holds off other connections that check or change
  /// the names and IDs of this (folded) object type until it ends.
  virtual void LockObjectType(const std::string& typeKey) = 0;
  virtual void Commit() = 0;
  /// Ends the transaction under way, if any, without its changes.
  virtual void Rollback() noexcept = 0;
  /// Runs one of the store's statements with these parameters (one per `?`,
  /// in order) and hands each row to `visit`, without copying it.
  virtual void Scan(StoreStatement statement, const std::vector<Text>& parameters,
                    const RowVisitor& visit) = 0;
  /// Runs one of the store's statements and returns its rows.
  std::vector<Row> Run(StoreStatement statement, const std::vector<Text>& parameters) {
    std::vector<Row> rows;
    Scan(statement, parameters, CollectInto(rows));
    return rows;
  }
  /// A visitor that keeps a copy of every row.
  static RowVisitor CollectInto(std::vector<Row>& rows) {
    return [&rows](RowView view) {
      Row& row = rows.emplace_back();
      for (const auto& text : view) row.push_back(text ? Text(std::string(*text)) : Text());
    };
  }
  /// Runs these statements in order, for their effect only; a server may be
  /// sent all of them before it answers.
  virtual void RunAll(const std::vector<Statement>& statements) = 0;
};

}  // namespace carrowin
