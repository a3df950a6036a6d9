#pragma once

#include <memory>
#include <string_view>

#include "carrowin/automation/error.h"

namespace carrowin {

/// `object` itself, or error 91 (object variable not set) from `source` when
/// it is null, with a `description` that names what is missing. For every
/// object the library is handed or obtains from another (a trace, its
/// writers, a writer's error reporter, a store, a sender), so that one that
/// hands back Nothing is reported rather than dereferenced:
///
///     traceWriter_ = RequireObject(trace->GetTraceWriter(kComponent, kObjectName), kComponent,
///                                  u"The trace gave no trace writer");
template <class Pointer>
Pointer RequireObject(Pointer object, std::u16string_view source, std::u16string_view description) {
  if (!object) RaiseError(errors::kObjectNotSet, source, description);
  return object;
}

/// The parent a child refers back to, or error 91 from `source` once the
/// parent is gone or the child was terminated: a vanished parent is an
/// automation "object variable not set", never a dangling reference.
template <class T>
std::shared_ptr<T> RequireObject(const std::weak_ptr<T>& parent, std::u16string_view source,
                                 std::u16string_view description) {
  return RequireObject(parent.lock(), source, description);
}

}  // namespace carrowin
