#include "host/store/store_statement.h"

#include <array>

namespace carrowin {

namespace {

constexpr std::array<std::string_view, static_cast<size_t>(StoreStatement::kCount)> kSql = {
    "SELECT object_id, name FROM carrowin_records WHERE type_key = ? AND id_key = ?",
    "SELECT object_id FROM carrowin_records WHERE type_key = ? AND name_key = ?",
    "INSERT INTO carrowin_records (type_key, id_key, object_type, object_id) VALUES (?, ?, ?, ?)",
    "UPDATE carrowin_records SET name = ?, name_key = ? WHERE type_key = ? AND id_key = ?",
    "SELECT value_type, value FROM carrowin_settings"
    " WHERE type_key = ? AND id_key = ? AND key_key = ?",
    // The key keeps the spelling it was first stored with.
    "INSERT INTO carrowin_settings (type_key, id_key, key_key, setting_key, value_type, value)"
    " VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (type_key, id_key, key_key)"
    " DO UPDATE SET value_type = excluded.value_type, value = excluded.value",
    "DELETE FROM carrowin_settings WHERE type_key = ? AND id_key = ? AND key_key = ?",
    "SELECT id_key, object_id, name FROM carrowin_records WHERE type_key = ? ORDER BY id_key",
    "SELECT id_key, key_key, setting_key, value_type, value FROM carrowin_settings"
    " WHERE type_key = ? ORDER BY id_key, key_key",
};

}  // namespace

std::string_view StatementSql(StoreStatement statement) {
  return kSql[static_cast<size_t>(statement)];
}

std::string_view SchemaSql() {
  // A record's name is NULL until one is given, so that unnamed records
  // never match a name. Values are text tagged with their Variant type.
  return "CREATE TABLE carrowin_records ("
         " type_key TEXT NOT NULL, id_key TEXT NOT NULL,"
         " object_type TEXT NOT NULL, object_id TEXT NOT NULL,"
         " name TEXT, name_key TEXT,"
         " PRIMARY KEY (type_key, id_key));"
         "CREATE INDEX carrowin_records_by_name ON carrowin_records (type_key, name_key);"
         "CREATE TABLE carrowin_settings ("
         " type_key TEXT NOT NULL, id_key TEXT NOT NULL, key_key TEXT NOT NULL,"
         " setting_key TEXT NOT NULL, value_type INTEGER NOT NULL, value TEXT,"
         " PRIMARY KEY (type_key, id_key, key_key));";
}

}  // namespace carrowin
