#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace carrowin {

/// Lends byte storage the encoder keeps between calls to one call, and takes
/// it back when the call ends: once the storage has grown, commands and
/// messages allocate nothing. The storage holds what its last borrower left
/// (so resizing it to the same size again costs nothing); every borrower
/// replaces it. A call nested in the loan (a sender or an error handler
/// calling back into the encoder) finds the storage lent out and works on
/// fresh storage instead of overwriting bytes still in use.
class BorrowedBytes {
 public:
  explicit BorrowedBytes(std::vector<uint8_t>& storage)
      : storage_(storage), bytes_(std::move(storage)) {}
  ~BorrowedBytes() { storage_ = std::move(bytes_); }
  BorrowedBytes(const BorrowedBytes&) = delete;
  BorrowedBytes& operator=(const BorrowedBytes&) = delete;

  std::vector<uint8_t>& operator*() { return bytes_; }
  std::vector<uint8_t>* operator->() { return &bytes_; }

 private:
  std::vector<uint8_t>& storage_;
  std::vector<uint8_t> bytes_;
};

}  // namespace carrowin
