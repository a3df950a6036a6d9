#include "carrowin/screen/pages.h"

#include "carrowin/automation/error.h"
#include "carrowin/screen/page.h"
#include "host/object_trace.h"

namespace carrowin {

namespace {
constexpr std::u16string_view kObjectName = u"Pages";
}  // namespace

void Pages::Initialize(const std::shared_ptr<ProcessTrace>& objProcessTrace,
                       const std::shared_ptr<carrowin::Terminal>& objTerminal) {
  processTrace_ = objProcessTrace;
  traceWriter_ = ObtainTraceWriter(*processTrace_, kObjectName);
  traceWriter_->Trace(3, u"Initialize", u"Trace created");
  errorReporter_ = ObtainErrorReporter(*traceWriter_, kObjectName);
  terminal_ = objTerminal;
}

void Pages::Terminate() {
  for (const auto& page : pages_) {
    try {
      page->Terminate();
    } catch (...) {
      // One page's failure must not keep the others alive.
    }
  }
  terminal_.reset();
}

std::shared_ptr<Page> Pages::Add(std::u16string_view sPageName) {
  auto page = std::make_shared<Page>();
  page->Initialize(processTrace_, terminal_.lock(), sPageName);
  pages_.Add(page, sPageName);
  return page;
}

std::shared_ptr<Page> Pages::Item(const Variant& vntIndexKey) const {
  const std::shared_ptr<Page>* page = pages_.Find(vntIndexKey);
  return page ? *page : nullptr;
}

void Pages::Remove(const Variant& vntIndexKey) {
  pages_.Item(vntIndexKey)->Terminate();
  pages_.Remove(vntIndexKey);
}

}  // namespace carrowin
