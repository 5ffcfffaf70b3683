// The work a second-generation load may spend, in bytes examined (bytes read
// from the file plus bytes handed to the text parsers): this multiple of the
// file's size plus a constant.  Legitimate files need about twice their size;
// the fuzz target and the hostile-input tests fail above the budget.
#ifndef PLOVER_FUZZ_WORKBUDGET_H
#define PLOVER_FUZZ_WORKBUDGET_H

#include <cstdint>

namespace plover::fuzz {

constexpr uint64_t kWorkMultiple = 64;
constexpr uint64_t kWorkConstant = uint64_t{1} << 20;

inline bool WithinWorkBudget(uint64_t work, uint64_t inputSize) {
  return work <= kWorkMultiple * inputSize + kWorkConstant;
}

}  // namespace plover::fuzz

#endif
