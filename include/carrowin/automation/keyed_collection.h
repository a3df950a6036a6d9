#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "carrowin/automation/error.h"
#include "carrowin/automation/key_folding.h"
#include "carrowin/automation/variant.h"

namespace carrowin {

/// The automation collection: items in the order they were added, each with
/// an optional string key, reached by key or by position (1 is the first).
/// Keys compare without regard to letter case (`FoldKey`), so "Main" and
/// "MAIN" are one key; the key keeps the spelling it was added with. Lookup
/// by key is a hash lookup; removal and insertion shift the items after them.
///
/// Errors, raised with the source given at construction: a duplicate key 457,
/// a key that is not there 5, a position outside 1..Count() 9, an index that
/// is neither a string nor a number 13. Not thread-safe.
template <class T>
class KeyedCollection {
 public:
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  explicit KeyedCollection(std::u16string source = u"Collection") : source_(std::move(source)) {}

  int32_t Count() const noexcept { return static_cast<int32_t>(items_.size()); }

  /// Appends an item without a key.
  void Add(T item) { Insert(Count() + 1, std::move(item), std::nullopt); }
  /// Appends an item under `key`.
  void Add(T item, std::u16string_view key) { Insert(Count() + 1, std::move(item), key); }

  /// Inserts an item so that it lands at `position` (1..Count() + 1): before
  /// the item now there, or at the end. Raises 9 for any other position, 457
  /// for a duplicate key; the collection is unchanged then.
  void Insert(int32_t position, T item, std::optional<std::u16string_view> key) {
    if (position < 1 || position > Count() + 1) RaiseError(errors::kSubscriptOutOfRange, source_);
    const auto index = static_cast<size_t>(position - 1);
    Slot slot;
    if (key) {
      slot.key = std::u16string(*key);
      slot.folded = FoldKey(*key);
      if (index_.contains(slot.folded)) RaiseError(errors::kDuplicateKey, source_);
    }
    // Everything that can fail to allocate happens before the first change.
    items_.reserve(items_.size() + 1);
    slots_.reserve(slots_.size() + 1);
    if (key) index_.emplace(slot.folded, index);
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(index), std::move(slot));
    Reindex(index + 1);
  }

  T& Item(std::u16string_view key) { return items_[Locate(key)]; }
  const T& Item(std::u16string_view key) const { return items_[Locate(key)]; }
  T& Item(int32_t position) { return items_[Locate(position)]; }
  const T& Item(int32_t position) const { return items_[Locate(position)]; }
  /// By an automation index: a string is a key, a number (rounded half to
  /// even) a position; a number beyond the Long range raises 6. Takes exactly
  /// a Variant, so that strings and integers choose the overloads above.
  template <std::same_as<Variant> V>
  T& Item(const V& indexOrKey) {
    return items_[Locate(indexOrKey)];
  }
  template <std::same_as<Variant> V>
  const T& Item(const V& indexOrKey) const {
    return items_[Locate(indexOrKey)];
  }

  /// The item under `key`, or nullptr.
  T* Find(std::u16string_view key) {
    const size_t* index = IndexOf(key);
    return index ? &items_[*index] : nullptr;
  }
  const T* Find(std::u16string_view key) const {
    const size_t* index = IndexOf(key);
    return index ? &items_[*index] : nullptr;
  }
  /// The item `Item(indexOrKey)` returns, or nullptr where it would raise.
  template <std::same_as<Variant> V>
  T* Find(const V& indexOrKey) {
    try {
      return &items_[Locate(indexOrKey)];
    } catch (const Error&) {
      return nullptr;
    }
  }
  template <std::same_as<Variant> V>
  const T* Find(const V& indexOrKey) const {
    return const_cast<KeyedCollection*>(this)->Find(indexOrKey);
  }

  bool Contains(std::u16string_view key) const { return IndexOf(key) != nullptr; }

  /// The key of the item at `position` as it was added; nullopt for an item
  /// added without one.
  const std::optional<std::u16string>& KeyAt(int32_t position) const {
    return slots_[Locate(position)].key;
  }

  void Remove(std::u16string_view key) { RemoveIndex(Locate(key)); }
  void Remove(int32_t position) { RemoveIndex(Locate(position)); }
  template <std::same_as<Variant> V>
  void Remove(const V& indexOrKey) {
    RemoveIndex(Locate(indexOrKey));
  }

  void Clear() noexcept {
    items_.clear();
    slots_.clear();
    index_.clear();
  }

  iterator begin() noexcept { return items_.begin(); }
  iterator end() noexcept { return items_.end(); }
  const_iterator begin() const noexcept { return items_.begin(); }
  const_iterator end() const noexcept { return items_.end(); }

 private:
  struct Slot {
    std::optional<std::u16string> key;
    std::u16string folded;
  };

  const size_t* IndexOf(std::u16string_view key) const {
    const auto found = index_.find(FoldKey(key));
    return found == index_.end() ? nullptr : &found->second;
  }

  size_t Locate(std::u16string_view key) const {
    const size_t* index = IndexOf(key);
    if (!index) RaiseError(errors::kInvalidProcedureCall, source_);
    return *index;
  }

  size_t Locate(int32_t position) const {
    if (position < 1 || position > Count()) RaiseError(errors::kSubscriptOutOfRange, source_);
    return static_cast<size_t>(position - 1);
  }

  size_t Locate(const Variant& indexOrKey) const {
    switch (indexOrKey.GetType()) {
      case Variant::Type::String:
        return Locate(std::u16string_view(indexOrKey.ToString()));
      case Variant::Type::Integer:
      case Variant::Type::Long:
      case Variant::Type::Double:
        return Locate(indexOrKey.ToLong());
      default:
        RaiseError(errors::kTypeMismatch, source_);
    }
  }

  void RemoveIndex(size_t index) {
    if (slots_[index].key) index_.erase(slots_[index].folded);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(index));
    Reindex(index);
  }

  // Points the keys of the items from `first` on at their present positions.
  void Reindex(size_t first) {
    for (size_t i = first; i < slots_.size(); ++i) {
      if (slots_[i].key) index_[slots_[i].folded] = i;
    }
  }

  std::u16string source_;
  std::vector<T> items_;
  std::vector<Slot> slots_;                           // parallel to items_
  std::unordered_map<std::u16string, size_t> index_;  // folded key -> index
};

}  // namespace carrowin
