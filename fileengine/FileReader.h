// Reads of a metadata file at absolute offsets, behind a read-ahead window.
#ifndef PLOVER_FILEENGINE_FILEREADER_H
#define PLOVER_FILEENGINE_FILEREADER_H

#include <cstdint>
#include <vector>

#include "platform/File.h"

namespace plover {

// Every read names its absolute offset; nothing relies on a file position.
// Small reads (chunk, record and item headers) are served from a window of
// up to kWindowSize bytes that is refilled, with one read at the requested
// offset, whenever a request does not lie inside it; large reads go to the
// file directly.  A container walk that steps forward through small headers
// thus costs one system call per window instead of one per header.  The
// window never exceeds the file's size.
class FileReader {
 public:
  static constexpr uint32_t kWindowSize = 64 * 1024;

  // `file` must stay open for the reader's life; `fileSize` bounds the window.
  FileReader(const platform::File& file, uint64_t fileSize);

  // Reads up to `count` bytes at `offset` into `buffer`.  True when at least
  // one byte was read; `*got` (when not null) receives the count.  An offset
  // at or past the end of the file reads nothing: false.
  bool read_at(uint32_t offset, uint32_t count, void* buffer, uint32_t* got);

  // Reads exactly `count` bytes at `offset`, with as many reads as it takes.
  // False when the range does not lie below 4 GiB or the file ends before
  // `count` bytes were read.  A count of 0 reads nothing and succeeds.
  bool read_exact(uint64_t offset, uint32_t count, void* buffer);

  uint64_t size() const { return fileSize_; }

 private:
  const platform::File& file_;
  uint64_t fileSize_;
  std::vector<char> window_;  // allocated on the first small read
  uint64_t windowStart_ = 0;
  uint32_t windowLength_ = 0;  // bytes of the window that hold file data
};

}  // namespace plover

#endif
