#include "fileengine/FileReader.h"

#include <algorithm>
#include <cstring>

namespace plover {

FileReader::FileReader(const platform::File& file, uint64_t fileSize) : file_(file), fileSize_(fileSize) {}

bool FileReader::read_at(uint32_t offset, uint32_t count, void* buffer, uint32_t* got) {
  if (count == 0 || buffer == nullptr) return false;
  const uint64_t begin = offset;
  const uint64_t end = begin + count;
  if (windowLength_ > 0 && begin >= windowStart_ && end <= windowStart_ + windowLength_) {
    std::memcpy(buffer, window_.data() + (begin - windowStart_), count);
    if (got != nullptr) *got = count;
    return true;
  }
  if (count >= kWindowSize / 2) return file_.ReadAt(offset, buffer, count, got);

  if (window_.empty()) {
    const uint64_t wanted = std::min<uint64_t>(kWindowSize, std::max<uint64_t>(fileSize_, count));
    window_.resize(static_cast<size_t>(wanted));
  }
  uint32_t filled = 0;
  windowLength_ = 0;
  if (!file_.ReadAt(offset, window_.data(), static_cast<uint32_t>(window_.size()), &filled)) return false;
  windowStart_ = offset;
  windowLength_ = filled;
  const uint32_t n = std::min(count, filled);
  std::memcpy(buffer, window_.data(), n);
  if (got != nullptr) *got = n;
  return true;
}

bool FileReader::read_exact(uint64_t offset, uint32_t count, void* buffer) {
  constexpr uint64_t kLimit = uint64_t{1} << 32;
  if (offset + count > kLimit) return false;
  uint32_t done = 0;
  while (done < count) {
    uint32_t got = 0;
    if (!read_at(static_cast<uint32_t>(offset + done), count - done, static_cast<char*>(buffer) + done, &got)) {
      return false;
    }
    done += got;
  }
  return true;
}

}  // namespace plover
