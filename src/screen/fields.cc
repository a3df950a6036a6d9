#include "carrowin/screen/fields.h"

#include <limits>

#include "automation/decimal_text.h"
#include "carrowin/automation/error.h"
#include "carrowin/drel/drel.h"
#include "carrowin/screen/field.h"
#include "carrowin/screen/page.h"
#include "carrowin/terminal/terminal.h"
#include "host/object_trace.h"
#include "host/required_object.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kObjectName = u"Fields";

// The key of a field in the number collection: "Key12" for field 12.
std::u16string NumberKey(std::u16string_view numberText) {
  std::u16string key = u"Key";
  key.append(numberText);
  return key;
}

// Rows and columns count from 1 outside and from 0 in the field.
int32_t FromOne(int32_t position, std::u16string_view what) {
  if (position == std::numeric_limits<int32_t>::min()) {
    RaiseError(errors::kOverflow, kObjectName, what);
  }
  return position - 1;
}

// Reading order: row first, then column.
bool LiesBefore(const Field& a, const Field& b) {
  return a.Row() < b.Row() || (a.Row() == b.Row() && a.Column() < b.Column());
}

bool IsEntryField(const Field& field) { return (field.Style() & StyleTypeMask) == StyleEntry; }
}  // namespace

void Fields::Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                        const std::shared_ptr<carrowin::Terminal>& objTerminal,
                        const std::shared_ptr<Page>& objPage) {
  processTrace_ = objProcessTrace;
  traceWriter_ = ObtainTraceWriter(*processTrace_, kObjectName);
  traceWriter_->Trace(3, u"Initialize", u"Trace created");
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
  terminal_ = objTerminal;
  page_ = objPage;
}

void Fields::Terminate() {
  for (const auto& field : byName_) field->Terminate();
  page_.reset();
  terminal_.reset();
}

std::shared_ptr<Page> Fields::RequirePage() const {
  return RequireObject(page_, kObjectName, u"The fields have no page");
}

carrowin::Drel& Fields::TerminalDrel() const {
  const auto terminal = RequireObject(terminal_, kObjectName, u"The fields have no terminal");
  return *RequireObject(terminal->Drel(), kObjectName, u"The terminal is not initialised");
}

void Fields::ResetCollections() {
  byName_.Clear();
  byNumber_.Clear();
}

std::shared_ptr<Field> Fields::Add(int32_t lFieldNumber, std::u16string_view sFieldName,
                                   int32_t lFieldRow, int32_t lFieldColumn, int32_t lFieldStyle,
                                   int32_t lFieldFlags, int32_t lFieldSize,
                                   std::u16string_view sFieldData,
                                   std::u16string_view sHiddenPattern,
                                   std::u16string_view sVisiblePattern) {
  // A collection whose page is gone stores nothing more.
  const auto page = RequirePage();
  const int32_t row = FromOne(lFieldRow, u"The field row is out of range");
  const int32_t column = FromOne(lFieldColumn, u"The field column is out of range");
  auto field = std::make_shared<Field>();
  field->Initialize(processTrace_, terminal_.lock(), page, sFieldName, lFieldNumber, row, column,
                    lFieldStyle, lFieldFlags, lFieldSize, sFieldData, sHiddenPattern,
                    sVisiblePattern);
  byName_.Add(field, sFieldName);
  try {
    byNumber_.Add(field, NumberKey(DecimalText(lFieldNumber)));
  } catch (...) {
    // A clash of numbers must not leave the field findable by its name only.
    byName_.Remove(byName_.Count());
    throw;
  }
  if (page->OnTerminal()) {
    page->SelectPage();
    field->Display();
  }
  return field;
}

std::shared_ptr<Field> Fields::AddText(int32_t lFieldNumber, std::u16string_view sFieldName,
                                       int32_t lFieldRow, int32_t lFieldColumn,
                                       std::u16string_view sFieldData, int32_t lFieldStyle,
                                       int32_t lFieldFlags) {
  std::u16string name = u"T";
  name.append(sFieldName);
  return Add(lFieldNumber, name, lFieldRow, lFieldColumn, lFieldStyle | StyleFixed, lFieldFlags,
             static_cast<int32_t>(sFieldData.size()), sFieldData, u"", u"");
}

std::shared_ptr<Field> Fields::AddEntry(int32_t lFieldNumber, std::u16string_view sFieldName,
                                        int32_t lFieldRow, int32_t lFieldColumn, int32_t lFieldSize,
                                        int32_t lFieldStyle, int32_t lFieldFlags,
                                        std::u16string_view sHiddenPattern,
                                        std::u16string_view sVisiblePattern) {
  return Add(lFieldNumber, sFieldName, lFieldRow, lFieldColumn, lFieldStyle | StyleEntry,
             lFieldFlags, lFieldSize, u"", sHiddenPattern, sVisiblePattern);
}

std::shared_ptr<Field> Fields::Item(const Variant& vntIndexKey) const {
  const std::shared_ptr<Field>* field = nullptr;
  if (vntIndexKey.GetType() == Variant::Type::String) {
    field = byName_.Find(std::u16string_view(vntIndexKey.ToString()));
  } else {
    try {
      field = byNumber_.Find(std::u16string_view(NumberKey(vntIndexKey.ToString())));
    } catch (const Error&) {
      // A value without a text form (Null, an object) names no field.
    }
  }
  return field ? *field : nullptr;
}

void Fields::Remove(const Variant& vntIndexKey) {
  const std::shared_ptr<Field> field = Item(vntIndexKey);
  if (!field) return;
  const auto page = RequirePage();
  byName_.Remove(std::u16string_view(field->Name()));
  byNumber_.Remove(std::u16string_view(NumberKey(DecimalText(field->Number()))));
  if (page->OnTerminal()) {
    page->SelectPage();
    TerminalDrel().EraseField(field->Number());
  }
}

void Fields::RemoveAll() {
  const auto page = RequirePage();
  ResetCollections();
  if (page->OnTerminal()) {
    page->SelectPage();
    TerminalDrel().EraseAll();
  }
}

std::shared_ptr<Field> Fields::TabDestination(const Variant& vntIndex) const {
  const std::shared_ptr<Field> current = Item(vntIndex);
  std::shared_ptr<Field> next;
  std::shared_ptr<Field> first = current;
  for (const auto& field : byName_) {
    if (!IsEntryField(*field)) continue;
    if (!current) {
      RaiseError(errors::kObjectNotSet, kObjectName, u"No field has this name or number");
    }
    if (LiesBefore(*current, *field)) {
      if (!next || LiesBefore(*field, *next)) next = field;
    } else if (LiesBefore(*field, *first)) {
      first = field;
    }
  }
  return next ? next : first;
}

int32_t Fields::NewIndex() const {
  for (int32_t number = 1;; ++number) {
    if (!byNumber_.Contains(NumberKey(DecimalText(number)))) return number;
    if (number == std::numeric_limits<int32_t>::max()) {
      RaiseError(errors::kOverflow, kObjectName, u"No field number is free");
    }
  }
}

}  // namespace carrowin
