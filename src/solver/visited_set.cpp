// The visited table: segments of linear probing, each at most three quarters full.
#include "solver/visited_set.h"

#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace solver::detail {

namespace {

constexpr std::uint64_t kFirstSlots = 1024;

// Zeroed slots straight from the system, given back whole when freed.
Key* allocateSlots(std::uint64_t count) {
  const std::size_t bytes = count * sizeof(Key);
#ifdef _WIN32
  void* memory = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (memory == nullptr) throw std::bad_alloc();
#else
  // Every page of a table is soon written (a grown segment's keys land all over it), so it is
  // mapped at once: one call instead of a fault per page, two for a page read before written.
#ifdef MAP_POPULATE
  constexpr int kPopulate = MAP_POPULATE;
#else
  constexpr int kPopulate = 0;
#endif
  void* memory =
      mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | kPopulate, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
#endif
  return static_cast<Key*>(memory);
}

void freeSlots(Key* slots, std::uint64_t count) {
  if (slots == nullptr) return;
#ifdef _WIN32
  (void)count;
  VirtualFree(slots, 0, MEM_RELEASE);
#else
  munmap(slots, count * sizeof(Key));
#endif
}

bool isFree(const Key& slot) { return slot.b == 0; }

}  // namespace

// The slot of the key's layout, or the free slot where it belongs.
Key& VisitedSet::slotFor(Key* slots, std::uint64_t mask, const Key& key, std::uint64_t hash) const {
  for (std::uint64_t i = hash & mask;; i = (i + 1) & mask)
    if (isFree(slots[i]) || (slots[i].a == key.a && ((slots[i].b ^ key.b) & ~stockField_) == 0))
      return slots[i];
}

VisitedSet::VisitedSet(std::uint64_t stockField) : stockField_(stockField) {
  for (Segment& segment : segments_) {
    segment.slots = allocateSlots(kFirstSlots);
    segment.mask = kFirstSlots - 1;
  }
}

VisitedSet::~VisitedSet() {
  for (Segment& segment : segments_) freeSlots(segment.slots, segment.mask + 1);
}

bool VisitedSet::insert(const Key& key, std::uint64_t hash) {
  Segment& segment = segments_[hash >> (64 - kSegmentBits)];
  Key& slot = slotFor(segment.slots, segment.mask, key, hash);
  if (isFree(slot)) {
    slot = key;
    if (4 * ++segment.count > 3 * (segment.mask + 1)) grow(segment);
  } else {
    const std::uint64_t stockBit = key.b & stockField_;
    if ((slot.b & KeyMaker::positionsReaching(stockBit, stockField_)) != 0) return false;
    slot.b |= stockBit;
  }
  ++count_;
  return true;
}

std::uint64_t VisitedSet::hashOf(const Key& key) const {
  return detail::hashOf({key.a, key.b & ~stockField_});
}

std::uint64_t VisitedSet::prefetch(const Key& key) const {
  const std::uint64_t hash = hashOf(key);
  const Segment& segment = segments_[hash >> (64 - kSegmentBits)];
  __builtin_prefetch(segment.slots + (hash & segment.mask));
  return hash;
}

void makeSuccessors(const State& s, const Rules& rules, const std::vector<Candidate>& moves,
                    const KeyMaker& keyOf, const VisitedSet& visited, std::vector<Successor>& out) {
  if (out.size() < moves.size()) out.resize(moves.size());
  KeyMaker::Parts parts;
  keyOf.partsOf(s, parts);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    Successor& next = out[i];
    next.state = s;
    applyMove(next.state, rules, moves[i]);
    next.after = afterMove(rules, moves[i]);
    if (next.after.cover >= 0) continue;
    next.key = keyOf(next.state, parts);
    next.hash = visited.prefetch(next.key);
  }
}

void VisitedSet::grow(Segment& segment) {
  const std::uint64_t mask = segment.mask * 2 + 1;
  Key* slots = allocateSlots(mask + 1);
  for (std::uint64_t i = 0; i <= segment.mask; ++i)
    if (!isFree(segment.slots[i])) {
      const Key& key = segment.slots[i];
      slotFor(slots, mask, key, hashOf(key)) = key;
    }
  freeSlots(segment.slots, segment.mask + 1);
  segment.slots = slots;
  segment.mask = mask;
}

}  // namespace solver::detail
