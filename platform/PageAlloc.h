// Zero-filled memory handed to the caller (GetAv3File's array).  On Windows
// it comes from VirtualAlloc(MEM_COMMIT, PAGE_READWRITE), so that the caller
// may release it with VirtualFree(p, 0, MEM_RELEASE); ReleasePages releases
// it the same way on every platform.
#ifndef PLOVER_PLATFORM_PAGEALLOC_H
#define PLOVER_PLATFORM_PAGEALLOC_H

#include <cstddef>

namespace plover::platform {

// Null when `bytes` is 0 or the memory cannot be had.
void* AllocatePages(std::size_t bytes);
// Null is ignored.
void ReleasePages(void* pages);

}  // namespace plover::platform

#endif
