#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace plover::bench {
namespace {

// One thread runs the benchmarks; the counters need no atomics.  Each block
// carries a header with its size and the scope that counted it (0: none), so
// that only blocks of the running scope are subtracted when released.
bool counting = false;
size_t scope = 0;
size_t held = 0;
size_t highest = 0;

constexpr size_t kHeader = alignof(std::max_align_t);

void* Allocate(size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  size_t tag = 0;
  if (counting) {
    tag = scope;
    held += size;
    if (held > highest) highest = held;
  }
  *reinterpret_cast<size_t*>(block) = tag;
  *reinterpret_cast<size_t*>(block + sizeof(size_t)) = size;
  return block + kHeader;
}

void Release(void* pointer) {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer) - kHeader;
  if (counting && *reinterpret_cast<size_t*>(block) == scope)
    held -= *reinterpret_cast<size_t*>(block + sizeof(size_t));
  std::free(block);
}

}  // namespace

PeakScope::PeakScope() {
  ++scope;
  held = 0;
  highest = 0;
  counting = true;
}

PeakScope::~PeakScope() { counting = false; }

size_t PeakScope::peak() const { return highest; }

}  // namespace plover::bench

void* operator new(size_t size) { return plover::bench::Allocate(size); }
void* operator new[](size_t size) { return plover::bench::Allocate(size); }
void operator delete(void* pointer) noexcept { plover::bench::Release(pointer); }
void operator delete[](void* pointer) noexcept { plover::bench::Release(pointer); }
void operator delete(void* pointer, size_t) noexcept { plover::bench::Release(pointer); }
void operator delete[](void* pointer, size_t) noexcept { plover::bench::Release(pointer); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return plover::bench::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { plover::bench::Release(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { plover::bench::Release(pointer); }
