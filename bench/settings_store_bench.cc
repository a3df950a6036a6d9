// Status records through the database settings stores: what a terminal's
// status write costs its caller, how many writes per second reach the
// database, and what reading a whole site's records costs.
//
// The PostgreSQL benchmarks use the server of CARROWIN_TEST_POSTGRES_URI and
// are skipped without it.

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "carrowin/automation/utf.h"
#include "carrowin/host/database_settings_store.h"

namespace carrowin {
namespace {

constexpr const char16_t* kStatusKeys[] = {
    u"statusOnline",       u"statusScreen",        u"statusScreenChangeTime",
    u"statusExecuting",    u"statusExecStartTime", u"statusExecEndTime",
    u"statusFunctionCode", u"statusResponseType",  u"statusUpdateLevel"};

// Fills a site's records straight into the tables, in one statement each:
// the store would check and create them one transaction at a time.
constexpr const char* kFillRecords =
    "INSERT INTO carrowin_records SELECT 'terminal', 't' || i, 'Terminal', 'T' || i, NULL, NULL"
    " FROM %s";
constexpr const char* kFillSettings =
    "INSERT INTO carrowin_settings SELECT 'terminal', 't' || i, lower(k), k, 4, '0'"
    " FROM %s, (SELECT 'statusOnline' AS k UNION ALL SELECT 'statusScreen'"
    " UNION ALL SELECT 'statusScreenChangeTime' UNION ALL SELECT 'statusExecuting'"
    " UNION ALL SELECT 'statusExecStartTime' UNION ALL SELECT 'statusExecEndTime'"
    " UNION ALL SELECT 'statusFunctionCode' UNION ALL SELECT 'statusResponseType'"
    " UNION ALL SELECT 'statusUpdateLevel') AS keys";

// Text pieces one after another (gcc 12 at -O3 warns falsely of a literal
// put in front of a temporary string).
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (const std::string_view part : parts) joined.append(part);
  return joined;
}

std::string Filled(const char* pattern, const std::string& numbers) {
  std::string sql = pattern;
  sql.replace(sql.find("%s"), 2, numbers);
  return sql;
}

// A store holding `terminals` status records, all read once so that the
// store knows them. Kept for the whole run.
struct Site {
  std::filesystem::path folder;
  std::string location;
  std::shared_ptr<DatabaseSettingsStore> store;
  std::vector<std::u16string> ids;

  ~Site() {
    store.reset();
    if (!folder.empty()) std::filesystem::remove_all(folder);
  }
};

std::unique_ptr<Site> SqliteSite(int64_t terminals) {
  auto site = std::make_unique<Site>();
  std::string pattern = (std::filesystem::temp_directory_path() / "carrowin-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return nullptr;
  site->folder = pattern;
  site->location = Concat({"sqlite:", (site->folder / "site.db").string()});
  DatabaseSettingsStore::Open(site->location);  // creates the tables
  const std::string numbers =
      Concat({"(WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ",
              std::to_string(terminals), ") SELECT i FROM n)"});
  sqlite3* db = nullptr;
  sqlite3_open((site->folder / "site.db").c_str(), &db);
  sqlite3_exec(db, Filled(kFillRecords, numbers).c_str(), nullptr, nullptr, nullptr);
  sqlite3_exec(db, Filled(kFillSettings, numbers).c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return site;
}

std::unique_ptr<Site> PostgresSite(int64_t terminals) {
  const char* uri = std::getenv("CARROWIN_TEST_POSTGRES_URI");
  if (uri == nullptr || *uri == '\0') return nullptr;
  static int32_t sites = 0;
  const std::string schema =
      Concat({"bench", std::to_string(getpid()), "_", std::to_string(sites++)});
  PGconn* connection = PQconnectdb(uri);
  PQclear(PQexec(connection, ("CREATE SCHEMA " + schema).c_str()));
  auto site = std::make_unique<Site>();
  site->location = std::string(uri) +
                   (std::string(uri).find('?') == std::string::npos ? '?' : '&') +
                   "options=-csearch_path%3D" + schema;
  DatabaseSettingsStore::Open(site->location);
  const std::string numbers =
      Concat({"generate_series(0, ", std::to_string(terminals - 1), ") AS i"});
  PQclear(PQexec(connection, ("SET search_path = " + schema).c_str()));
  PQclear(PQexec(connection, Filled(kFillRecords, numbers).c_str()));
  PQclear(PQexec(connection, Filled(kFillSettings, numbers).c_str()));
  PQfinish(connection);
  return site;
}

// The site of this database and size, made on first use.
Site* SiteOf(const std::string& database, int64_t terminals) {
  static std::map<std::pair<std::string, int64_t>, std::unique_ptr<Site>> sites;
  auto& site = sites[{database, terminals}];
  if (!site) {
    site = database == "sqlite" ? SqliteSite(terminals) : PostgresSite(terminals);
    if (!site) return nullptr;
    site->store = DatabaseSettingsStore::Open(site->location);
    site->store->Records(u"Terminal");
    for (int64_t t = 0; t < terminals; ++t)
      site->ids.push_back(FromUtf8(Concat({"T", std::to_string(t)})));
  }
  return site.get();
}

// One status value per iteration, terminal after terminal. The time per
// iteration is the caller's; "saved_per_second" counts the writes up to the
// end of the Flush that saves the last of them.
void StatusWrites(benchmark::State& state, const std::string& database) {
  Site* site = SiteOf(database, state.range(0));
  if (site == nullptr) {
    state.SkipWithError("CARROWIN_TEST_POSTGRES_URI is not set: no PostgreSQL server to use");
    return;
  }
  SettingsStore& store = *site->store;
  const size_t terminals = site->ids.size();
  size_t i = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    store.SetSetting(u"Terminal", site->ids[i % terminals], kStatusKeys[i % 9],
                     Variant(static_cast<int32_t>(i)));
    ++i;
  }
  site->store->Flush();
  const std::chrono::duration<double> saving = std::chrono::steady_clock::now() - start;
  state.counters["saved_per_second"] = static_cast<double>(i) / saving.count();
  state.SetItemsProcessed(static_cast<int64_t>(i));
}

void SqliteStatusWrites(benchmark::State& state) { StatusWrites(state, "sqlite"); }
void PostgresStatusWrites(benchmark::State& state) { StatusWrites(state, "postgres"); }
BENCHMARK(SqliteStatusWrites)->Arg(1)->Arg(1000)->Arg(100000)->UseRealTime();
BENCHMARK(PostgresStatusWrites)->Arg(1)->Arg(1000)->Arg(100000)->UseRealTime();

// Every record of the site, as the status console lists them.
void ReadAllRecords(benchmark::State& state, const std::string& database) {
  Site* site = SiteOf(database, state.range(0));
  if (site == nullptr) {
    state.SkipWithError("CARROWIN_TEST_POSTGRES_URI is not set: no PostgreSQL server to use");
    return;
  }
  site->store->Flush();
  for (auto _ : state) benchmark::DoNotOptimize(site->store->Records(u"Terminal"));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SqliteReadAllRecords(benchmark::State& state) { ReadAllRecords(state, "sqlite"); }
void PostgresReadAllRecords(benchmark::State& state) { ReadAllRecords(state, "postgres"); }
BENCHMARK(SqliteReadAllRecords)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PostgresReadAllRecords)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace carrowin
