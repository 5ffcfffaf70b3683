// Reads of a metadata file at absolute offsets, behind a read-ahead window.
#ifndef PLOVER_FILEENGINE_FILEREADER_H
#define PLOVER_FILEENGINE_FILEREADER_H

#include <cstdint>
#include <vector>

#include "platform/File.h"

namespace plover {

// Every read names its absolute offset; nothing relies on a file position.
// Small reads (chunk, record and item headers) are served from two windows,
// so that a walk that alternates between two places (the chunks and an index
// table, the records and their indexed items) keeps both.  A small read that
// moves forward from a window refills it with up to kWindowSize bytes (read
// ahead); one anywhere else refills the window used less recently with just
// the bytes asked for.  A walk forward through small headers thus costs one
// system call per window, and a jump never reads more than it needs: the
// bytes read stay within a small multiple of the bytes asked for or walked
// over.  Large reads go to the file directly.  No window exceeds the file.
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

  // Reads the markup of the `length` bytes at `offset` into `out`: the span
  // from the first '<' to the last '>' (within the first 2 GiB, which is all
  // a search looks at), without what lies before or after it.  Every element
  // the scanner can find lies inside that span, and it finds the same ones
  // in it, so a payload that merely claims gigabytes (or holds zeros) costs
  // no memory; the span is found with reads in pieces.  False when the range
  // does not lie inside the file or a read fails.
  bool read_markup(uint64_t offset, uint32_t length, std::vector<char>& out);

  uint64_t size() const { return fileSize_; }
  // Bytes delivered by the system so far: the work of a load.
  uint64_t bytes_read() const { return bytesRead_; }

 private:
  struct Window {
    std::vector<char> bytes;  // allocated on first use
    uint64_t start = 0;
    uint32_t length = 0;  // bytes that hold file data
    uint64_t lastUse = 0;
    bool Holds(uint64_t begin, uint64_t end) const { return length > 0 && begin >= start && end <= start + length; }
  };

  // Refills `window` with `count` bytes (at most kWindowSize) at `offset`.
  bool Fill(Window& window, uint32_t offset, uint32_t count);

  const platform::File& file_;
  uint64_t fileSize_;
  Window windows_[2];
  uint64_t uses_ = 0;
  uint64_t bytesRead_ = 0;
};

}  // namespace plover

#endif
