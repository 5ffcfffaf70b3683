// Counts the bytes held through operator new in this program, to check
// memory budgets (not time) in tests.
#ifndef PLOVER_TESTS_HOSTILE_MEMORYCOUNTER_H
#define PLOVER_TESTS_HOSTILE_MEMORYCOUNTER_H

#include <cstddef>

namespace plover::test {

// Bytes held now, and the most held since the last ResetPeak.
std::size_t BytesInUse();
std::size_t PeakBytes();
void ResetPeak();

// While alive, an allocation that would hold more than `limit` bytes in all
// throws std::bad_alloc.
class ScopedAllocationLimit {
 public:
  explicit ScopedAllocationLimit(std::size_t limit);
  ~ScopedAllocationLimit();
  ScopedAllocationLimit(const ScopedAllocationLimit&) = delete;
  ScopedAllocationLimit& operator=(const ScopedAllocationLimit&) = delete;
};

}  // namespace plover::test

#endif
