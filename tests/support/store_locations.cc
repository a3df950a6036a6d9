#include "support/store_locations.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <memory>

namespace carrowin::testing_support {

namespace {
std::atomic<int> created{0};
}  // namespace

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "carrowin-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed for " << pattern;
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string PostgresUri() {
  const char* uri = std::getenv("CARROWIN_TEST_POSTGRES_URI");
  // Never a skip: ctest starts the server and sets the variable.
  if (uri == nullptr || *uri == '\0') {
    ADD_FAILURE() << "CARROWIN_TEST_POSTGRES_URI is not set: run the tests through ctest, "
                     "which starts a PostgreSQL server for them";
    return "postgresql://unset";
  }
  return uri;
}

std::string FreshPostgresLocation() {
  const std::string uri = PostgresUri();
  const std::string schema =
      "t" + std::to_string(getpid()) + "_" + std::to_string(created.fetch_add(1));
  const std::unique_ptr<PGconn, decltype(&PQfinish)> connection(PQconnectdb(uri.c_str()),
                                                                &PQfinish);
  const std::unique_ptr<PGresult, decltype(&PQclear)> result(
      PQexec(connection.get(), ("CREATE SCHEMA " + schema).c_str()), &PQclear);
  EXPECT_EQ(PQresultStatus(result.get()), PGRES_COMMAND_OK) << PQerrorMessage(connection.get());
  const char separator = uri.find('?') == std::string::npos ? '?' : '&';
  return uri + separator + "options=-csearch_path%3D" + schema;
}

std::string FreshStoreLocation(std::string_view kind, const TemporaryFolder& folder) {
  if (kind == "postgres") return FreshPostgresLocation();
  return "sqlite:" + (folder.Path() / "settings.db").string();
}

}  // namespace carrowin::testing_support
