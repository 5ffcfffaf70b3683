#include "MemoryCounter.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace plover::test {
namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> limit{SIZE_MAX};

// Each block carries its size in front of it, in a header that keeps the
// alignment operator new promises.
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  if (size > limit.load() || inUse.load() > limit.load() - size) throw std::bad_alloc();
  void* block = std::malloc(size + kHeader);
  if (block == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const std::size_t now = inUse.fetch_add(size) + size;
  std::size_t seen = peak.load();
  while (now > seen && !peak.compare_exchange_weak(seen, now)) {
  }
  return static_cast<char*>(block) + kHeader;
}

void Release(void* p) {
  if (p == nullptr) return;
  void* block = static_cast<char*>(p) - kHeader;
  inUse.fetch_sub(*static_cast<std::size_t*>(block));
  std::free(block);
}

}  // namespace

std::size_t BytesInUse() { return inUse.load(); }
std::size_t PeakBytes() { return peak.load(); }
void ResetPeak() { peak.store(inUse.load()); }
ScopedAllocationLimit::ScopedAllocationLimit(std::size_t bytes) { limit.store(bytes); }
ScopedAllocationLimit::~ScopedAllocationLimit() { limit.store(SIZE_MAX); }

}  // namespace plover::test

void* operator new(std::size_t size) { return plover::test::Allocate(size); }
void* operator new[](std::size_t size) { return plover::test::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return plover::test::Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { plover::test::Release(p); }
void operator delete[](void* p) noexcept { plover::test::Release(p); }
void operator delete(void* p, std::size_t) noexcept { plover::test::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { plover::test::Release(p); }
