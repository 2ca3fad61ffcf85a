#pragma once
// The positions a search has seen, by key: open addressing over 128-bit keys, grown to keep at
// most half of its slots used. One table can serve several searches of the same position in turn.
#include <cstdint>
#include <memory>

#include "solver/solver_state.h"

namespace solver::detail {

class VisitedSet {
 public:
  VisitedSet() { rehash(1 << 16); }
  // False when the key was there already.
  bool insert(const Key& key) {
    if (2 * (count_ + 1) > capacity_) rehash(capacity_ * 2);
    if (!place(slots_.get(), capacity_, key)) return false;
    ++count_;
    return true;
  }
  std::uint64_t size() const { return count_; }

 private:
  std::unique_ptr<Key[]> slots_;
  std::uint64_t capacity_ = 0, count_ = 0;

  static bool place(Key* slots, std::uint64_t capacity, const Key& key) {
    for (std::uint64_t i = key.b & (capacity - 1);; i = (i + 1) & (capacity - 1)) {
      if (slots[i].a == 0) {
        slots[i] = key;
        return true;
      }
      if (slots[i] == key) return false;
    }
  }
  void rehash(std::uint64_t capacity) {
    std::unique_ptr<Key[]> fresh(new Key[capacity]());
    for (std::uint64_t i = 0; i < capacity_; ++i)
      if (slots_[i].a != 0) place(fresh.get(), capacity, slots_[i]);
    slots_ = std::move(fresh);
    capacity_ = capacity;
  }
};

}  // namespace solver::detail
