#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "carrowin/automation/error.h"

namespace carrowin {

/// How a `DatabaseSettingsStore` batches its writes and waits for locks.
struct SettingsStoreOptions {
  /// The longest a written value waits in the queue before the transaction
  /// that saves it starts.
  std::chrono::milliseconds flushInterval{50};
  /// A queue holding this many values (distinct record and key) is saved at
  /// once, without waiting for the interval.
  size_t flushRecords = 1000;
  /// How long a call waits for another connection's write lock on an SQLite
  /// file before it fails with error 75.
  std::chrono::milliseconds busyTimeout{5000};
  /// Offered every failure of a save on the store's writer thread (and of the
  /// last save on destruction). Called without the store's locks held; it
  /// must not throw.
  std::function<void(const Error&)> onError;
};

}  // namespace carrowin
