// Builds second-generation metadata files byte by byte: the chunked
// container (form 0) and the tagged-text file (form 1).  Used by the tests,
// the benchmark and tools that make example recordings.
//
// A container is assembled chunk by chunk in the order of the calls; Finish
// appends the 128-byte trailer that every container ends with.  The raw
// calls (AddChunk, Append, PatchU32, size overrides) make malformed files.
#ifndef PLOVER_TESTS_SUPPORT_CONTAINERWRITER_H
#define PLOVER_TESTS_SUPPORT_CONTAINERWRITER_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plover::test {

// One item of a record.  Type 5 is written as u16 type, u16 length and the
// payload; every other type with the 24-byte item header.  Type 4 carries a
// sample text.
struct ContainerItem {
  static constexpr uint16_t kSample = 4;
  static constexpr uint16_t kFiller = 5;

  ContainerItem(uint16_t itemType, std::string itemPayload, std::optional<uint32_t> itemLengthField = std::nullopt)
      : type(itemType), payload(std::move(itemPayload)), lengthField(itemLengthField) {}

  uint16_t type;
  std::string payload;
  std::optional<uint32_t> lengthField;  // written instead of the payload's length
};

// One record of a data chunk.  With `hasItems` false the 0x02 flag is clear:
// the items are still written inside the record, where only an index entry
// can reach them.
struct ContainerRecord {
  ContainerRecord(uint32_t number, std::vector<ContainerItem> recordItems, bool withItems = true,
                  std::optional<uint32_t> recordSizeField = std::nullopt)
      : indexNumber(number), items(std::move(recordItems)), hasItems(withItems), sizeField(recordSizeField) {}

  uint32_t indexNumber;
  std::vector<ContainerItem> items;
  bool hasItems;
  std::optional<uint32_t> sizeField;  // written instead of the record's size
};

// An index entry: a record's index number and the offset of an item from
// the start of its data chunk.
struct IndexEntry {
  uint32_t indexNumber;
  uint32_t itemOffset;
};

class ContainerWriter {
 public:
  static constexpr uint32_t kTrailerSize = 128;
  static constexpr uint32_t kDataHeaderSize = 24;
  static constexpr uint32_t kRecordHeaderSize = 32;
  static constexpr uint32_t kItemHeaderSize = 24;

  // A file-information chunk ("HSPR") holding `text` with content kind
  // `kind` (4 is the one that is read).  Returns the chunk's offset.
  uint32_t AddFileInfo(std::string_view text, uint8_t kind = 4);

  // A header chunk ("HFPR") whose index table follows its 88 bytes inside
  // the chunk.  Returns the chunk's offset.
  uint32_t AddIndex(const std::vector<IndexEntry>& entries);

  // A header chunk of 88 bytes pointing at `indexOffset` (0: no index).
  uint32_t AddHeader(uint32_t indexOffset);

  // A data chunk ("DHED") with `records`.  Returns the chunk's offset.
  uint32_t AddData(const std::vector<ContainerRecord>& records, std::optional<uint32_t> sizeField = std::nullopt);

  // Any chunk: a 4-character type, `body` after the 12-byte chunk header,
  // and the size field (by default 12 + the body's size).
  uint32_t AddChunk(std::string_view type, std::string_view body, std::optional<uint32_t> sizeField = std::nullopt);

  // Offsets, from the start of a data chunk made by AddData of `records`,
  // of the first item of each record (its first byte after the header).
  static std::vector<uint32_t> FirstItemOffsets(const std::vector<ContainerRecord>& records);

  void Append(std::string_view bytes) { bytes_.append(bytes); }
  void PatchU32(uint32_t offset, uint32_t value);
  uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }

  // The file so far plus the 128-byte trailer.
  std::string Finish() const;
  // The file so far, without trailer.
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// A text-form file: an F-Info element holding `fileInfo` and a P-Info
// element with one <Index no="n"> element per sample, holding its text.
std::string MakeTextFile(std::string_view fileInfo, const std::vector<std::pair<uint32_t, std::string>>& samples);

// Writes `bytes` to `path`; false when the file cannot be written.
bool WriteFile(const std::string& path, std::string_view bytes);

}  // namespace plover::test

#endif
