// Counts the heap bytes held through operator new in the benchmark program,
// so that a benchmark can report the peak memory of an intake.
#ifndef PLOVER_BENCH_ALLOCATIONCOUNTER_H
#define PLOVER_BENCH_ALLOCATIONCOUNTER_H

#include <cstddef>

namespace plover::bench {

// Counting is off until a PeakScope starts it; while it runs, every block
// allocated through operator new adds its usable size and every release of
// a block allocated while counting subtracts it again.
class PeakScope {
 public:
  PeakScope();
  ~PeakScope();
  PeakScope(const PeakScope&) = delete;
  PeakScope& operator=(const PeakScope&) = delete;

  // The most bytes held at once since the scope began.
  size_t peak() const;
};

}  // namespace plover::bench

#endif
