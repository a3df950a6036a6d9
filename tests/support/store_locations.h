#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace carrowin::testing_support {

/// A fresh folder under the system's temporary folder, removed with
/// everything in it at destruction.
class TemporaryFolder {
 public:
  TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder();

  const std::filesystem::path& Path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
};

/// The URI of the test server's database, from CARROWIN_TEST_POSTGRES_URI
/// (set by CTest, which starts the server); fails the test when it is unset.
std::string PostgresUri();

/// A location in the test server whose tables go to a schema of their own,
/// so that each test starts from an empty store.
std::string FreshPostgresLocation();

/// A location of an empty store: "sqlite" gives a file in `folder`,
/// "postgres" a fresh schema in the test server.
std::string FreshStoreLocation(std::string_view kind, const TemporaryFolder& folder);

}  // namespace carrowin::testing_support
