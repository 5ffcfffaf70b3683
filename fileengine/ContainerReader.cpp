// The chunked container (form 0).  All integers little-endian.
//
//   chunk:   type[4] ("HFPR" header, "HSPR" file information, "DHED" data;
//            others are skipped), u32 size (header included), 4 bytes
//   HFPR:    ... u32 index-table offset at 80 (0: none); 88 bytes read
//   index:   16 bytes, u32 entry count at 16, then entries of
//            u32 index number, u32 item offset from the data chunk's start
//   HSPR:    ... u8 content kind at 48 (only 4 is read); text from 60
//   DHED:    24-byte header, then records to the chunk's end
//   record:  u32, u32 index number at 4, u32 size at 8 (header included),
//            u8 flags at 20 (0x02: items follow), items from 32
//   item:    type 5: u16 type, u16 length, `length` bytes;
//            others: 24-byte header (u16 type at 0, u32 payload length at
//            12), then the payload; type 4 carries a sample text
//
// The last 128 bytes of a file are never taken for a chunk.  The container
// is untrusted: every header and payload must lie wholly inside the file, or
// the load fails; a payload costs memory only for its markup (the span from
// its first '<' to its last '>'), and index tables are read in pieces; every
// walk strictly advances and so ends.  Intake is linear in the file's size
// whatever the index says: an indexed item is read and scanned once per data
// chunk, however many records name it, and index entries that an earlier
// table already covered are not read again.  A read that yields
// fewer bytes than asked (the file ends inside a header or payload) fails
// the load like a read that yields nothing, so no part of a header or
// payload is ever left undefined.  What was stored before a failure stays.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <vector>

#include "fileengine/FileReader.h"
#include "fileengine/MetaFileEngine.h"

namespace plover {

namespace {

constexpr uint32_t kTrailerSize = 128;
constexpr uint32_t kChunkHeaderSize = 12;
constexpr uint32_t kHeaderChunkSize = 88;
constexpr uint32_t kIndexOffsetAt = 80;
constexpr uint32_t kIndexHeaderSize = 20;
constexpr uint32_t kIndexCountAt = 16;
constexpr uint32_t kIndexEntrySize = 8;
constexpr uint32_t kInfoHeaderSize = 60;
constexpr uint32_t kInfoKindAt = 48;
constexpr uint8_t kInfoKindText = 4;
constexpr uint32_t kDataHeaderSize = 24;
constexpr uint32_t kRecordHeaderSize = 32;
constexpr uint8_t kRecordHasItems = 0x02;
constexpr uint16_t kShortItemType = 5;
constexpr uint16_t kSampleItemType = 4;
constexpr uint32_t kItemHeaderSize = 24;
constexpr uint32_t kItemLengthAt = 12;

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}

// The text read by FileReader::read_markup, never null: a payload without
// markup is an empty text, not a missing one.
const char* TextOf(const std::vector<char>& text) {
  static const char kEmpty = '\0';
  return text.empty() ? &kEmpty : text.data();
}

// Reads the 24-byte item header at `item`: `*length` receives the payload
// length, `*type` the item type.
bool ReadItemHeader(FileReader& file, uint64_t item, uint32_t* length, uint16_t* type) {
  unsigned char header[kItemHeaderSize];
  if (!file.read_exact(item, kItemHeaderSize, header)) return false;
  *length = U32(header + kItemLengthAt);
  *type = U16(header);
  return true;
}

// Reads the markup of the payload of the item at `item` (`length` bytes
// after its header) into `payload`, which the items of a chunk share.
bool ReadItemPayload(FileReader& file, uint64_t item, uint32_t length, std::vector<char>& payload) {
  return file.read_markup(item + kItemHeaderSize, length, payload);
}

// What one indexed item gave: whether it had a text to parse, and the texts
// found in it.  Many records may name one index entry, and many entries one
// item; the item is read and scanned once per data chunk, then stored under
// each record's index number.  Storing the same found texts again gives what
// parsing the same bytes again would give.
struct IndexedItem {
  bool hasText = false;
  Mk2SampleText found;
};

// Index entries as they arrive from the index tables, first entry of a number
// winning.  A table's run of entries is read in pieces, so that a run that a
// table merely claims (within the file) never turns into one buffer; and
// entries that an earlier table already covered at the same file position
// are not read again: they are the same entries, and an index number already
// present keeps its first offset anyway.  Runs are kept per position modulo
// the entry size, since only entries at the same alignment coincide.
class IndexBuilder {
 public:
  explicit IndexBuilder(std::map<uint32_t, uint32_t>& index) : index_(index) {}

  // Adds the entries of the run [begin, end), already known to lie inside
  // the file.
  bool AddRun(FileReader& file, uint64_t begin, uint64_t end) {
    std::map<uint64_t, uint64_t>& covered = covered_[begin % kIndexEntrySize];
    uint64_t at = begin;
    while (at < end) {
      // The first covered stretch that ends after `at`.
      auto next = covered.upper_bound(at);
      if (next != covered.begin()) {
        auto prev = std::prev(next);
        if (prev->second > at) {
          at = prev->second;  // inside a stretch read before: skip it
          continue;
        }
      }
      const uint64_t stop = next == covered.end() ? end : std::min(end, next->first);
      if (!ReadEntries(file, at, stop)) return false;
      Cover(covered, at, stop);
      at = stop;
    }
    return true;
  }

 private:
  static constexpr uint32_t kPieceEntries = 8192;

  bool ReadEntries(FileReader& file, uint64_t begin, uint64_t end) {
    unsigned char piece[kPieceEntries * kIndexEntrySize];
    while (begin < end) {
      const uint64_t length = std::min<uint64_t>(end - begin, sizeof piece);
      if (!file.read_exact(begin, static_cast<uint32_t>(length), piece)) return false;
      for (uint64_t i = 0; i < length; i += kIndexEntrySize) {
        index_.emplace(U32(piece + i), U32(piece + i + 4));  // the first entry for a number wins
      }
      begin += length;
    }
    return true;
  }

  // Records [begin, end) as read, merging it with the stretches it touches.
  static void Cover(std::map<uint64_t, uint64_t>& covered, uint64_t begin, uint64_t end) {
    auto it = covered.lower_bound(begin);
    if (it != covered.begin() && std::prev(it)->second >= begin) --it;
    while (it != covered.end() && it->first <= end) {
      begin = std::min(begin, it->first);
      end = std::max(end, it->second);
      it = covered.erase(it);
    }
    covered.emplace(begin, end);
  }

  std::map<uint32_t, uint32_t>& index_;
  std::map<uint64_t, uint64_t> covered_[kIndexEntrySize];  // per alignment: start -> end
};

}  // namespace

// A file shorter than the 128-byte trailer cannot be a container: the load
// fails and stores nothing.  A chunk size of 0 cannot lead to a next chunk:
// the walk ends there, and the load succeeds with what was read so far.  A
// size whose sum with the chunk's offset passes 4 GiB ends the walk the same
// way (the sum is taken in 64 bits and lies past every bound).
bool MetaFileEngine::read_container(FileReader& file, uint32_t size) {
  if (size < kTrailerSize) return false;
  const uint64_t bound = size - kTrailerSize;
  if (bound == 0) return true;

  std::map<uint32_t, uint32_t> index;  // index number -> item offset in its data chunk
  IndexBuilder builder(index);
  uint64_t offset = 0;
  do {
    unsigned char header[kHeaderChunkSize];
    if (!file.read_exact(offset, kChunkHeaderSize, header)) return false;
    const uint32_t chunkSize = U32(header + 4);

    if (std::memcmp(header, "HFPR", 4) == 0) {
      if (!file.read_exact(offset, kHeaderChunkSize, header)) return false;
      const uint32_t indexOffset = U32(header + kIndexOffsetAt);
      if (indexOffset != 0) {
        unsigned char table[kIndexHeaderSize];
        if (!file.read_exact(indexOffset, kIndexHeaderSize, table)) return false;
        const uint64_t count = U32(table + kIndexCountAt);
        // An index without entries adds nothing.  A run of entries that does
        // not lie inside the file fails the load, before anything is read.
        const uint64_t begin = uint64_t{indexOffset} + kIndexHeaderSize;
        const uint64_t runLength = count * kIndexEntrySize;
        if (count != 0) {
          if (runLength > UINT32_MAX || begin > file.size() || runLength > file.size() - begin) return false;
          if (!builder.AddRun(file, begin, begin + runLength)) return false;
        }
      }
    } else if (std::memcmp(header, "HSPR", 4) == 0) {
      unsigned char info[kInfoHeaderSize];
      if (!file.read_exact(offset, kInfoHeaderSize, info)) return false;
      // A chunk of 60 bytes or fewer holds no text: it adds nothing.  The
      // parser's refusal (the path has file information) is not a failure.
      if (info[kInfoKindAt] == kInfoKindText && chunkSize > kInfoHeaderSize) {
        std::vector<char> text;
        if (!file.read_markup(offset + kInfoHeaderSize, chunkSize - kInfoHeaderSize, text)) return false;
        bytesExamined += text.size();
        parse_vinfo_mk2(TextOf(text), static_cast<uint32_t>(text.size()));
      }
    } else if (std::memcmp(header, "DHED", 4) == 0) {
      if (!read_data_chunk(file, static_cast<uint32_t>(offset), chunkSize, index)) return false;
    }

    if (chunkSize == 0) break;
    offset += chunkSize;
  } while (offset < bound);
  return true;
}

// A record size of 0 cannot lead to a next record: that record is read, then
// the chunk's walk ends and its table is stored as read so far.  Sizes are
// summed in 64 bits, so nothing wraps past 4 GiB; a record or item that runs
// past the end of the file fails the load when it is read.
bool MetaFileEngine::read_data_chunk(FileReader& file, uint32_t chunkOffset, uint32_t chunkSize,
                                     const std::map<uint32_t, uint32_t>& index) {
  SampleTable table;
  std::vector<char> payload;
  std::map<uint32_t, IndexedItem> items;  // item offset in the chunk -> what it gave
  const uint64_t chunkEnd = uint64_t{chunkOffset} + chunkSize;
  uint64_t record = uint64_t{chunkOffset} + kDataHeaderSize;

  while (record < chunkEnd) {
    unsigned char header[kRecordHeaderSize];
    if (!file.read_exact(record, kRecordHeaderSize, header)) return false;
    const uint32_t indexNumber = U32(header + 4);
    const uint32_t recordSize = U32(header + 8);
    const uint8_t flags = header[20];

    if (flags & kRecordHasItems) {
      const uint64_t recordEnd = record + recordSize;
      uint64_t item = record + kRecordHeaderSize;
      while (item < recordEnd) {
        unsigned char type[2];
        if (!file.read_exact(item, 2, type)) return false;
        if (U16(type) == kShortItemType) {
          unsigned char length[2];
          if (!file.read_exact(item + 2, 2, length)) return false;
          item += 4u + U16(length);
        } else {
          uint32_t length = 0;
          uint16_t itemType = 0;
          if (!ReadItemHeader(file, item, &length, &itemType)) return false;
          // An empty payload adds no sample (it is not read, so it does not
          // fail the load either).
          if (itemType == kSampleItemType && length != 0) {
            if (!ReadItemPayload(file, item, length, payload)) return false;
            bytesExamined += payload.size();
            parse_pinfo_mk2(TextOf(payload), static_cast<uint32_t>(payload.size()), indexNumber, table);
          }
          item += uint64_t{kItemHeaderSize} + length;
        }
      }
    }

    auto indexed = index.find(indexNumber);
    if (indexed != index.end()) {
      auto read = items.find(indexed->second);
      if (read == items.end()) {
        const uint64_t item = uint64_t{chunkOffset} + indexed->second;
        IndexedItem got;
        uint32_t length = 0;
        uint16_t itemType = 0;
        if (!ReadItemHeader(file, item, &length, &itemType)) return false;
        if (length != 0) {
          if (!ReadItemPayload(file, item, length, payload)) return false;
          got.hasText = true;
          bytesExamined += payload.size();
          got.found = read_sample_text(TextOf(payload), static_cast<uint32_t>(payload.size()));
        }
        read = items.emplace(indexed->second, std::move(got)).first;
      }
      if (read->second.hasText) store_sample(read->second.found, indexNumber, table);
    }

    if (recordSize == 0) break;
    record += recordSize;
  }

  // A second data chunk of the same file leaves the first one's table.
  samplesByFile.emplace(currentPath, std::move(table));
  return true;
}

}  // namespace plover
