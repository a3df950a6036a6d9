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

class Page;
class Terminal;

/// The pages a terminal's application has defined, by name (letter case
/// ignored) in the order they were added. The default member of `Terminal`.
class Pages {
 public:
  Pages() = default;
  Pages(const Pages&) = delete;
  Pages& operator=(const Pages&) = delete;

  /// Called once by `Terminal::Initialize`.
  void Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                  const std::shared_ptr<carrowin::Terminal>& objTerminal);
  /// Terminates every page (errors ignored) and drops the terminal; the
  /// pages stay in the collection.
  void Terminate();

  /// A new page named `sPageName`, with page number 0 and no `Reuse`. A name
  /// already used (in any letter case) raises error 457.
  std::shared_ptr<Page> Add(std::u16string_view sPageName);
  int32_t Count() const { return pages_.Count(); }
  /// The page of this name (any letter case) or at this position (1 is the
  /// first added); nullptr when there is none. Never raises.
  std::shared_ptr<Page> Item(const Variant& vntIndexKey) const;
  std::shared_ptr<Page> operator[](const Variant& vntIndexKey) const { return Item(vntIndexKey); }
  /// Terminates and removes a page; sends nothing. An unknown name raises 5,
  /// a position outside the collection 9.
  void Remove(const Variant& vntIndexKey);
  /// The terminal, or nullptr once the collection is terminated.
  std::shared_ptr<carrowin::Terminal> Terminal() const { return terminal_.lock(); }

  /// The pages in the order they were added.
  auto begin() const { return pages_.begin(); }
  auto end() const { return pages_.end(); }

 private:
  std::shared_ptr<ProcessTrace> processTrace_;
  std::shared_ptr<TraceWriter> traceWriter_;
  std::shared_ptr<ErrorReporter> errorReporter_;
  std::weak_ptr<carrowin::Terminal> terminal_;
  KeyedCollection<std::shared_ptr<Page>> pages_{u"Pages"};
};

}  // namespace carrowin
