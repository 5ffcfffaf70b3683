#include "platform/File.h"

#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace plover::platform {

File::~File() { Close(); }

File::File(File&& other) noexcept {
#if defined(_WIN32)
  handle_ = std::exchange(other.handle_, nullptr);
#else
  fd_ = std::exchange(other.fd_, -1);
#endif
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
#if defined(_WIN32)
    handle_ = std::exchange(other.handle_, nullptr);
#else
    fd_ = std::exchange(other.fd_, -1);
#endif
  }
  return *this;
}

#if defined(_WIN32)

bool File::Open(const char* path) {
  Close();
  if (path == nullptr) return false;
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  // Only a file on disk: a pipe or a device could block a read forever.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return false;
  }
  handle_ = h;
  return true;
}

bool File::IsOpen() const { return handle_ != nullptr; }

void File::Close() {
  if (handle_ != nullptr) {
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
  }
}

bool File::Size(uint64_t* size) const {
  LARGE_INTEGER li;
  if (handle_ == nullptr || !GetFileSizeEx(static_cast<HANDLE>(handle_), &li)) return false;
  *size = static_cast<uint64_t>(li.QuadPart);
  return true;
}

bool File::ReadAt(uint32_t offset, void* buffer, uint32_t count, uint32_t* got) const {
  if (handle_ == nullptr) return false;
  LARGE_INTEGER distance;
  distance.QuadPart = static_cast<LONGLONG>(offset);  // high half always 0
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), distance, nullptr, FILE_BEGIN)) return false;
  DWORD read = 0;
  ReadFile(static_cast<HANDLE>(handle_), buffer, count, &read, nullptr);
  if (read == 0) return false;
  if (got != nullptr) *got = read;
  return true;
}

#else

bool File::Open(const char* path) {
  Close();
  if (path == nullptr) return false;
  int fd;
  do {
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  // Only a regular file, judged on the open handle (no race with a rename):
  // a FIFO, socket, device or directory could block a read or never end.
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool File::IsOpen() const { return fd_ >= 0; }

void File::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

bool File::Size(uint64_t* size) const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return false;
  *size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool File::ReadAt(uint32_t offset, void* buffer, uint32_t count, uint32_t* got) const {
  if (fd_ < 0) return false;
  ssize_t n;
  do {
    n = ::pread(fd_, buffer, count, static_cast<off_t>(offset));
  } while (n < 0 && errno == EINTR);
  if (n <= 0) return false;
  if (got != nullptr) *got = static_cast<uint32_t>(n);
  return true;
}

#endif

}  // namespace plover::platform
