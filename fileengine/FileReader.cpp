#include "fileengine/FileReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace plover {

FileReader::FileReader(const platform::File& file, uint64_t fileSize) : file_(file), fileSize_(fileSize) {}

bool FileReader::Fill(Window& window, uint32_t offset, uint32_t count) {
  if (window.bytes.size() < count) window.bytes.resize(count);
  uint32_t filled = 0;
  window.length = 0;
  if (!file_.ReadAt(offset, window.bytes.data(), count, &filled)) return false;
  bytesRead_ += filled;
  window.start = offset;
  window.length = filled;
  return true;
}

bool FileReader::read_at(uint32_t offset, uint32_t count, void* buffer, uint32_t* got) {
  if (count == 0 || buffer == nullptr) return false;
  const uint64_t begin = offset;
  const uint64_t end = begin + count;
  for (Window& window : windows_) {
    if (window.Holds(begin, end)) {
      std::memcpy(buffer, window.bytes.data() + (begin - window.start), count);
      window.lastUse = ++uses_;
      if (got != nullptr) *got = count;
      return true;
    }
  }
  if (count >= kWindowSize / 2) {
    uint32_t direct = 0;
    if (!file_.ReadAt(offset, buffer, count, &direct)) return false;
    bytesRead_ += direct;
    if (got != nullptr) *got = direct;
    return true;
  }

  // Forward from a window (inside it or at most a window past its end):
  // read ahead.  Anywhere else: the less recently used window, exactly.
  Window* target = nullptr;
  for (Window& window : windows_) {
    if (window.length > 0 && begin >= window.start && begin < window.start + window.length + kWindowSize) {
      target = &window;
    }
  }
  uint32_t wanted = count;
  if (target != nullptr) {
    wanted = static_cast<uint32_t>(std::min<uint64_t>(kWindowSize, std::max<uint64_t>(fileSize_, count)));
  } else {
    target = windows_[0].lastUse <= windows_[1].lastUse ? &windows_[0] : &windows_[1];
  }
  if (!Fill(*target, offset, wanted)) return false;
  target->lastUse = ++uses_;
  const uint32_t n = std::min(count, target->length);
  std::memcpy(buffer, target->bytes.data(), n);
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

bool FileReader::read_markup(uint64_t offset, uint32_t length, std::vector<char>& out) {
  out.clear();
  if (offset > fileSize_ || length > fileSize_ - offset) return false;
  constexpr uint64_t kSearched = static_cast<uint64_t>(INT32_MAX);
  constexpr uint32_t kPiece = 256 * 1024;
  const uint64_t end = offset + std::min<uint64_t>(length, kSearched);
  std::vector<char> piece;

  uint64_t first = end;  // the first '<'
  for (uint64_t at = offset; at < end && first == end;) {
    const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(kPiece, end - at));
    piece.resize(n);
    if (!read_exact(at, n, piece.data())) return false;
    if (const void* lt = std::memchr(piece.data(), '<', n)) first = at + (static_cast<const char*>(lt) - piece.data());
    at += n;
  }
  uint64_t last = end;  // the last '>'
  for (uint64_t at = end; at > first && last == end;) {
    const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(kPiece, at - first));
    at -= n;
    piece.resize(n);
    if (!read_exact(at, n, piece.data())) return false;
    const size_t gt = std::string_view(piece.data(), n).rfind('>');
    if (gt != std::string_view::npos) last = at + gt;
  }
  if (first == end || last == end) return true;  // no markup: nothing to find
  out.resize(static_cast<size_t>(last + 1 - first));
  return read_exact(first, static_cast<uint32_t>(out.size()), out.data());
}

}  // namespace plover
