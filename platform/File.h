// Read-only access to a file on disk: open for shared reading, size, and
// reads at absolute offsets.  On Windows this is CreateFileA (GENERIC_READ,
// FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING), GetFileSizeEx,
// SetFilePointerEx (FILE_BEGIN) and ReadFile; elsewhere open, fstat and pread.
#ifndef PLOVER_PLATFORM_FILE_H
#define PLOVER_PLATFORM_FILE_H

#include <cstdint>

namespace plover::platform {

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file for reading while others may read and write it.
  // The path's bytes are handed to the system unchanged.  Anything but a
  // regular file on disk (FIFO, socket, device, directory) is refused before
  // anything can block: the open does not wait, and the type is checked on
  // the open handle.
  bool Open(const char* path);
  bool IsOpen() const;
  void Close();

  // The file's size in bytes.
  bool Size(uint64_t* size) const;

  // Reads up to `count` bytes at the absolute `offset` (below 4 GiB) into
  // `buffer`.  True when at least one byte was read; `*got` receives the count
  // read when `got` is not null.  Never relies on an earlier file position.
  bool ReadAt(uint32_t offset, void* buffer, uint32_t count, uint32_t* got) const;

 private:
#if defined(_WIN32)
  void* handle_ = nullptr;  // HANDLE; null when closed
#else
  int fd_ = -1;
#endif
};

}  // namespace plover::platform

#endif
