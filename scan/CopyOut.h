// Copies of stored texts into buffers of the caller's.
#ifndef PLOVER_SCAN_COPYOUT_H
#define PLOVER_SCAN_COPYOUT_H

#include <cstdint>
#include <cstring>
#include <string_view>

namespace plover {

// Copies `text` with its terminating NUL into `buffer` of `bufferSize` bytes.
// A null buffer is skipped.  A text that does not fit with its NUL is not
// copied: the buffer receives an empty text instead (when it has a byte at
// all).
inline void CopyDisplayText(char* buffer, uint32_t bufferSize, std::string_view text) {
  if (buffer == nullptr || bufferSize == 0) return;
  if (text.size() < bufferSize) {
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
  } else {
    buffer[0] = '\0';
  }
}

}  // namespace plover

#endif
