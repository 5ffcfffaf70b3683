#include "platform/PageAlloc.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace plover::platform {

void* AllocatePages(std::size_t bytes) {
  if (bytes == 0) return nullptr;
#if defined(_WIN32)
  return VirtualAlloc(nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
#else
  return std::calloc(1, bytes);
#endif
}

void ReleasePages(void* pages) {
  if (pages == nullptr) return;
#if defined(_WIN32)
  VirtualFree(pages, 0, MEM_RELEASE);
#else
  std::free(pages);
#endif
}

}  // namespace plover::platform
