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
// the load fails; every allocation is bounded by the file's size before it
// is made; every walk strictly advances and so ends.  A read that yields
// fewer bytes than asked (the file ends inside a header or payload) fails
// the load like a read that yields nothing, so no part of a header or
// payload is ever left undefined.  What was stored before a failure stays.
#include <cstring>
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

// Reads `length` bytes at `offset` into a new buffer.  The range is checked
// against the file's size before anything is allocated, so a length that a
// header merely claims never turns into memory.
bool ReadPayload(FileReader& file, uint64_t offset, uint32_t length, std::vector<char>& out) {
  if (offset > file.size() || length > file.size() - offset) return false;
  out.resize(length);  // every byte is read before it is used
  return file.read_exact(offset, length, out.data());
}

// Reads an item with the 24-byte header at `item` and parses it as a sample
// text.  `*itemSize` receives the item's whole size.  An empty payload adds
// no sample (it is not read, so it does not fail the load either).  The
// payload is read into `payload`, which the items of a chunk share.
bool ReadSampleItem(const MetaFileEngine& engine, FileReader& file, uint64_t item, uint32_t indexNumber,
                    SampleTable& table, bool checkType, uint64_t* itemSize, std::vector<char>& payload) {
  unsigned char header[kItemHeaderSize];
  if (!file.read_exact(item, kItemHeaderSize, header)) return false;
  const uint32_t length = U32(header + kItemLengthAt);
  if (itemSize != nullptr) *itemSize = uint64_t{kItemHeaderSize} + length;
  if (checkType && U16(header) != kSampleItemType) return true;
  if (length == 0) return true;
  if (!ReadPayload(file, item + kItemHeaderSize, length, payload)) return false;
  engine.parse_pinfo_mk2(payload.data(), length, indexNumber, table);
  return true;
}

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
        // not fit 32 bits cannot lie inside the file: ReadPayload refuses it
        // like any run past the end, and the load fails.
        if (count != 0) {
          const uint64_t runLength = count * kIndexEntrySize;
          if (runLength > UINT32_MAX) return false;
          std::vector<char> run;
          if (!ReadPayload(file, uint64_t{indexOffset} + kIndexHeaderSize, static_cast<uint32_t>(runLength), run)) {
            return false;
          }
          const auto* entry = reinterpret_cast<const unsigned char*>(run.data());
          for (uint64_t i = 0; i < count; ++i, entry += kIndexEntrySize) {
            index.emplace(U32(entry), U32(entry + 4));  // the first entry for a number wins
          }
        }
      }
    } else if (std::memcmp(header, "HSPR", 4) == 0) {
      unsigned char info[kInfoHeaderSize];
      if (!file.read_exact(offset, kInfoHeaderSize, info)) return false;
      // A chunk of 60 bytes or fewer holds no text: it adds nothing.  The
      // parser's refusal (the path has file information) is not a failure.
      if (info[kInfoKindAt] == kInfoKindText && chunkSize > kInfoHeaderSize) {
        std::vector<char> text;
        if (!ReadPayload(file, offset + kInfoHeaderSize, chunkSize - kInfoHeaderSize, text)) return false;
        parse_vinfo_mk2(text.data(), static_cast<uint32_t>(text.size()));
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
          uint64_t itemSize = 0;
          if (!ReadSampleItem(*this, file, item, indexNumber, table, true, &itemSize, payload)) return false;
          item += itemSize;
        }
      }
    }

    auto indexed = index.find(indexNumber);
    if (indexed != index.end()) {
      if (!ReadSampleItem(*this, file, uint64_t{chunkOffset} + indexed->second, indexNumber, table, false, nullptr,
                          payload)) {
        return false;
      }
    }

    if (recordSize == 0) break;
    record += recordSize;
  }

  // A second data chunk of the same file leaves the first one's table.
  samplesByFile.emplace(currentPath, std::move(table));
  return true;
}

}  // namespace plover
