#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "carrowin/automation/keyed_collection.h"
#include "carrowin/automation/variant.h"
#include "carrowin/host/error_reporter.h"
#include "carrowin/host/process_trace.h"
#include "carrowin/host/trace_writer.h"

namespace carrowin {

class Drel;
class Field;
class Page;
class Terminal;

/// The fields of one page, by name (letter case ignored) and by field
/// number, in the order they were added. Names and numbers are unique within
/// the page. While the page is on the terminal, an added field is drawn and
/// a removed one erased at once.
class Fields {
 public:
  Fields() = default;
  Fields(const Fields&) = delete;
  Fields& operator=(const Fields&) = delete;

  /// Called once by `Page::Initialize`.
  void Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                  const std::shared_ptr<carrowin::Terminal>& objTerminal,
                  const std::shared_ptr<Page>& objPage);
  /// Terminates every field and drops the page and the terminal; the fields
  /// stay in the collection.
  void Terminate();

  /// A new field; rows and columns count from 1 (the field keeps them from
  /// 0). A name or number the page already has raises error 457 and stores
  /// nothing; a row or column of INT32_MIN raises error 6.
  std::shared_ptr<Field> Add(int32_t lFieldNumber, std::u16string_view sFieldName,
                             int32_t lFieldRow, int32_t lFieldColumn, int32_t lFieldStyle,
                             int32_t lFieldFlags, int32_t lFieldSize,
                             std::u16string_view sFieldData, std::u16string_view sHiddenPattern,
                             std::u16string_view sVisiblePattern);
  /// A fixed text field named "T" + `sFieldName`, as wide as its text.
  std::shared_ptr<Field> AddText(int32_t lFieldNumber, std::u16string_view sFieldName,
                                 int32_t lFieldRow, int32_t lFieldColumn,
                                 std::u16string_view sFieldData, int32_t lFieldStyle = 0,
                                 int32_t lFieldFlags = 0);
  /// An entry field with no data.
  std::shared_ptr<Field> AddEntry(int32_t lFieldNumber, std::u16string_view sFieldName,
                                  int32_t lFieldRow, int32_t lFieldColumn, int32_t lFieldSize,
                                  int32_t lFieldStyle = 0, int32_t lFieldFlags = 0,
                                  std::u16string_view sHiddenPattern = u"",
                                  std::u16string_view sVisiblePattern = u"");
  int32_t Count() const { return byName_.Count(); }
  /// A string finds the field of that name; any other value the field of
  /// that number (`Item(3)` is field number 3, `Item(u"3")` the field named
  /// "3"). nullptr when there is none; never raises.
  std::shared_ptr<Field> Item(const Variant& vntIndexKey) const;
  std::shared_ptr<Field> operator[](const Variant& vntIndexKey) const { return Item(vntIndexKey); }
  /// Removes the field `Item` finds (none: nothing happens), erasing it on
  /// the terminal when the page is there. The field is not terminated.
  void Remove(const Variant& vntIndexKey);
  /// Removes every field, erasing the page on the terminal when it is there.
  void RemoveAll();
  /// The entry field the terminal's tab key moves to from the field
  /// `vntIndex` names, wrapping to the top; nullptr on a page without entry
  /// fields when no field is named, error 91 when one is missing on a page
  /// with entry fields.
  std::shared_ptr<Field> TabDestination(const Variant& vntIndex) const;
  /// The lowest field number from 1 up that no field has.
  int32_t NewIndex() const;

  /// The fields in the order they were added.
  auto begin() const { return byName_.begin(); }
  auto end() const { return byName_.end(); }

 private:
  std::shared_ptr<Page> RequirePage() const;
  Drel& TerminalDrel() const;
  void ResetCollections();

  std::shared_ptr<ProcessTrace> processTrace_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::weak_ptr<carrowin::Terminal> terminal_;
  std::weak_ptr<Page> page_;
  // Always the same fields: by name in the order added, and under
  // "Key" + field number.
  KeyedCollection<std::shared_ptr<Field>> byName_{u"Fields"};
  KeyedCollection<std::shared_ptr<Field>> byNumber_{u"Fields"};
};

}  // namespace carrowin
