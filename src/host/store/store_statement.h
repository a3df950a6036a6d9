#pragma once

#include <cstdint>
#include <string_view>

namespace carrowin {

// The statements of the settings store, the same SQL for every database.
// Records and settings are found by their folded (ASCII lower-case) texts;
// the spelled forms are kept beside them for display.
enum class StoreStatement : uint8_t {
  kFindRecord,        // type_key, id_key -> object_id, name
  kFindRecordByName,  // type_key, name_key -> object_id
  kInsertRecord,      // type_key, id_key, object_type, object_id
  kSetName,           // name, name_key, type_key, id_key
  kGetSetting,        // type_key, id_key, key_key -> value_type, value
  kPutSetting,        // type_key, id_key, key_key, setting_key, value_type, value
  kRemoveSetting,     // type_key, id_key, key_key
  kListRecords,       // type_key -> id_key, object_id, name
  kListSettings,      // type_key -> id_key, key_key, setting_key, value_type, value
  kCount
};

/// The SQL text, parameters written `?`.
std::string_view StatementSql(StoreStatement statement);

/// The version of the tables this library writes, and the statements that
/// create them.
inline constexpr int32_t kStoreSchemaVersion = 1;
std::string_view SchemaSql();

}  // namespace carrowin
