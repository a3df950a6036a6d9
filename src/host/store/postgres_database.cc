#include "host/store/postgres_database.h"

#include <libpq-fe.h>

#include <algorithm>
#include <memory>
#include <regex>

#include "carrowin/automation/error.h"
#include "carrowin/automation/utf.h"
#include "host/settings_rules.h"
#include "host/store/store_statement.h"

namespace carrowin {

namespace {

// The first key of every advisory lock the store takes, so that its locks
// keep out of the way of other applications sharing the database.
constexpr std::string_view kLockSpace = "1129470551";

// `sql` with its `?` placeholders numbered as PostgreSQL wants them.
std::string NumberedParameters(std::string_view sql) {
  std::string numbered;
  int32_t next = 0;
  for (const char c : sql) {
    if (c == '?') {
      numbered += '$' + std::to_string(++next);
    } else {
      numbered += c;
    }
  }
  return numbered;
}

// The URI as it may be shown in messages and logs: without its password.
std::u16string WithoutPassword(const std::string& uri) {
  static const std::regex userPassword("(://[^:/@?]*):[^@/?]*@");
  static const std::regex passwordParameter("([?&]password=)[^&]*");
  std::string shown = std::regex_replace(uri, userPassword, "$1:***@");
  shown = std::regex_replace(shown, passwordParameter, "$1***");
  return Concat({u"'", FromUtf8(shown), u"'"});
}

struct ResultFree {
  void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

std::vector<const char*> Values(const std::vector<SqlDatabase::Text>& parameters) {
  std::vector<const char*> values;
  for (const auto& parameter : parameters)
    values.push_back(parameter ? parameter->c_str() : nullptr);
  return values;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

PostgresDatabase::PostgresDatabase(const std::string& uri) : shownLocation_(WithoutPassword(uri)) {
  char* parseError = nullptr;
  PQconninfoOption* options = PQconninfoParse(uri.c_str(), &parseError);
  if (options == nullptr) {
    const std::string reason = parseError != nullptr ? Trimmed(parseError) : "out of memory";
    PQfreemem(parseError);
    RaiseError(
        errors::kInvalidProcedureCall, u"SettingsStore",
        Concat({u"'", FromUtf8(uri), u"' is not a settings store location: ", FromUtf8(reason)}));
  }
  PQconninfoFree(options);
  connection_ = PQconnectdb(uri.c_str());
  try {
    Reconnect();
    CreateSchema();
  } catch (...) {
    PQfinish(connection_);
    throw;
  }
}

PostgresDatabase::~PostgresDatabase() { PQfinish(connection_); }

std::u16string PostgresDatabase::Location() const { return shownLocation_; }

void PostgresDatabase::Fail(std::string_view doing, const std::string& reason) const {
  RaiseError(errors::kPathFileAccessError, u"SettingsStore",
             Concat({u"Settings store ", shownLocation_, u" failed ", FromUtf8(doing), u": ",
                     FromUtf8(Trimmed(reason))}));
}

void PostgresDatabase::Reconnect() {
  if (connection_ == nullptr) Fail("connecting", "out of memory");
  if (PQstatus(connection_) == CONNECTION_OK && configured_) return;
  if (PQstatus(connection_) != CONNECTION_OK) {
    PQreset(connection_);
    prepared_.fill(false);
    configured_ = false;
    if (PQstatus(connection_) != CONNECTION_OK) Fail("connecting", PQerrorMessage(connection_));
  }
  // The server's notices (such as "already exists, skipping") are not the
  // application's business.
  PQsetNoticeProcessor(
      connection_, [](void*, const char*) {}, nullptr);
  if (PQsetClientEncoding(connection_, "UTF8") != 0) {
    Fail("choosing UTF-8", PQerrorMessage(connection_));
  }
  configured_ = true;
}

void PostgresDatabase::Collect(PGresult* raw, std::string_view doing, const RowVisitor& visit) {
  const Result result(raw);
  const ExecStatusType status = PQresultStatus(result.get());
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    Fail(doing, result ? PQresultErrorMessage(result.get()) : PQerrorMessage(connection_));
  }
  if (!visit) return;
  const int rows = PQntuples(result.get());
  std::vector<std::optional<std::string_view>> row(static_cast<size_t>(PQnfields(result.get())));
  for (int r = 0; r < rows; ++r) {
    for (size_t c = 0; c < row.size(); ++c) {
      const int column = static_cast<int>(c);
      row[c].reset();
      if (!PQgetisnull(result.get(), r, column)) {
        row[c].emplace(PQgetvalue(result.get(), r, column),
                       static_cast<size_t>(PQgetlength(result.get(), r, column)));
      }
    }
    visit(row);
  }
}

std::vector<SqlDatabase::Row> PostgresDatabase::Execute(const std::string& sql,
                                                        const std::vector<Text>& parameters) {
  std::vector<Row> rows;
  // Without parameters, several statements may go in one (the tables).
  if (parameters.empty()) {
    Collect(PQexec(connection_, sql.c_str()), "at " + sql, CollectInto(rows));
    return rows;
  }
  const std::vector<const char*> values = Values(parameters);
  Collect(PQexecParams(connection_, sql.c_str(), static_cast<int>(values.size()), nullptr,
                       values.data(), nullptr, nullptr, 0),
          "at " + sql, CollectInto(rows));
  return rows;
}

void PostgresDatabase::CreateSchema() {
  // Every host process starting against a new database races to create the
  // tables: the lock makes one of them do it and the others see its version.
  Begin();
  try {
    Execute("SELECT pg_advisory_xact_lock(" + std::string(kLockSpace) + ", 0)");
    Execute("CREATE TABLE IF NOT EXISTS carrowin_schema (version INTEGER NOT NULL)");
    const std::vector<Row> rows = Execute("SELECT max(version) FROM carrowin_schema");
    const Text version = rows.empty() ? Text() : rows.front().front();
    if (!version) {
      Execute(std::string(SchemaSql()));
      Execute("INSERT INTO carrowin_schema (version) VALUES (" +
              std::to_string(kStoreSchemaVersion) + ")");
    } else if (*version != std::to_string(kStoreSchemaVersion)) {
      RaiseError(
          errors::kCannotCreateObject, u"SettingsStore",
          Concat({u"Settings store ", shownLocation_, u" has schema version ", FromUtf8(*version),
                  u", written by a newer library; this one reads up to version ",
                  FromUtf8(std::to_string(kStoreSchemaVersion))}));
    }
    Commit();
  } catch (...) {
    Rollback();
    throw;
  }
}

template <class Call>
auto PostgresDatabase::Retried(Call call) {
  Reconnect();
  try {
    return call();
  } catch (const Error&) {
    // A connection the server dropped while idle (a restart, an idle
    // timeout) shows only when used: once more on a new one.
    if (PQstatus(connection_) == CONNECTION_OK) throw;
  }
  Reconnect();
  return call();
}

void PostgresDatabase::Begin() {
  Retried([&] { return Execute("BEGIN"); });
}

void PostgresDatabase::LockObjectType(const std::string& typeKey) {
  Execute("SELECT pg_advisory_xact_lock(" + std::string(kLockSpace) + ", hashtext($1))", {typeKey});
}

void PostgresDatabase::Commit() { Execute("COMMIT"); }

void PostgresDatabase::Rollback() noexcept {
  if (PQstatus(connection_) == CONNECTION_OK && PQtransactionStatus(connection_) != PQTRANS_IDLE) {
    PQclear(PQexec(connection_, "ROLLBACK"));
  }
}

std::string PostgresDatabase::Prepared(StoreStatement which, size_t parameterCount) {
  const size_t index = static_cast<size_t>(which);
  std::string name = "carrowin_" + std::to_string(index);
  if (!prepared_[index]) {
    Collect(PQprepare(connection_, name.c_str(), NumberedParameters(StatementSql(which)).c_str(),
                      static_cast<int>(parameterCount), nullptr),
            "preparing a statement", {});
    prepared_[index] = true;
  }
  return name;
}

void PostgresDatabase::Scan(StoreStatement which, const std::vector<Text>& parameters,
                            const RowVisitor& visit) {
  const auto run = [&] {
    const std::string name = Prepared(which, parameters.size());
    const std::vector<const char*> values = Values(parameters);
    Collect(PQexecPrepared(connection_, name.c_str(), static_cast<int>(values.size()),
                           values.data(), nullptr, nullptr, 0),
            "at " + std::string(StatementSql(which)), visit);
  };
  // Outside a transaction a lost connection may be opened again; inside one
  // the transaction is lost with it and must fail.
  const PGTransactionStatusType transaction = PQtransactionStatus(connection_);
  if (transaction == PQTRANS_IDLE || transaction == PQTRANS_UNKNOWN) return Retried(run);
  run();
}

std::string PostgresDatabase::DrainPipeline(size_t sent) {
  std::string failure;
  // Each statement's results end with a null; the sync comes last.
  for (size_t nulls = 0; nulls <= sent;) {
    const Result result(PQgetResult(connection_));
    if (!result) {
      if (PQstatus(connection_) != CONNECTION_OK) return PQerrorMessage(connection_);
      ++nulls;
      continue;
    }
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_PIPELINE_SYNC) break;
    if (status == PGRES_FATAL_ERROR && failure.empty()) {
      failure = PQresultErrorMessage(result.get());
    }
  }
  return failure;
}

void PostgresDatabase::RunAll(const std::vector<Statement>& statements) {
  for (const Statement& statement : statements) {
    Prepared(statement.statement, statement.parameters.size());
  }
  // A round trip per statement would bound a save to a few thousand values a
  // second: send a chunk, then read its answers. Chunks stay small enough for
  // the answers to fit the socket buffers while statements are still sent.
  constexpr size_t kChunk = 500;
  for (size_t first = 0; first < statements.size(); first += kChunk) {
    const size_t last = std::min(statements.size(), first + kChunk);
    if (PQenterPipelineMode(connection_) != 1) {
      Fail("starting to send settings", PQerrorMessage(connection_));
    }
    size_t sent = 0;
    std::string failure;
    for (size_t i = first; i < last; ++i, ++sent) {
      const Statement& statement = statements[i];
      const std::vector<const char*> values = Values(statement.parameters);
      // Prepared above, before the pipeline began.
      const std::string name = Prepared(statement.statement, statement.parameters.size());
      if (PQsendQueryPrepared(connection_, name.c_str(), static_cast<int>(values.size()),
                              values.data(), nullptr, nullptr, 0) != 1) {
        failure = PQerrorMessage(connection_);
        break;
      }
    }
    if (PQpipelineSync(connection_) != 1 && failure.empty()) failure = PQerrorMessage(connection_);
    const std::string answered = DrainPipeline(sent);
    if (failure.empty()) failure = answered;
    PQexitPipelineMode(connection_);
    if (!failure.empty()) Fail("saving settings", failure);
  }
}

}  // namespace carrowin
