// Finding one byte in a range, tuned for the short hops between the tags of
// a metadata text.
#ifndef PLOVER_SCAN_BYTESEARCH_H
#define PLOVER_SCAN_BYTESEARCH_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace plover::scan {

// The first `c` in [p, p + n), or null; what memchr answers.  Tags lie a few
// dozen bytes apart, where a call to memchr costs more than the search: the
// first 64 bytes are searched here eight at a time, the rest with memchr.
inline const char* FindByte(const char* p, size_t n, char c) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  const uint64_t pattern = kOnes * static_cast<unsigned char>(c);
  const size_t inline_ = n < 64 ? n : 64;
  size_t i = 0;
  for (; i + 8 <= inline_; i += 8) {
    uint64_t word;
    std::memcpy(&word, p + i, 8);
    const uint64_t x = word ^ pattern;  // a zero byte where `c` is
    if (((x - kOnes) & ~x & kHighs) != 0) {
      for (size_t k = i; k < i + 8; ++k) {
        if (p[k] == c) return p + k;
      }
    }
  }
  for (; i < inline_; ++i) {
    if (p[i] == c) return p + i;
  }
  if (i == n) return nullptr;
  return static_cast<const char*>(std::memchr(p + i, c, n - i));
}

}  // namespace plover::scan

#endif
