#include "recording/Recovery.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plover {

namespace {

constexpr std::string_view kSectionStart = "<P-Info";
constexpr std::string_view kSectionEnd = "</P-Info>";
constexpr std::string_view kRecordEnd = "</Index>";

// The name of the first element, past declarations and comments.
std::string_view RootName(std::string_view bytes) {
  for (size_t at = bytes.find('<'); at != std::string_view::npos; at = bytes.find('<', at + 1)) {
    if (at + 1 < bytes.size() && (bytes[at + 1] == '?' || bytes[at + 1] == '!')) continue;
    const size_t end = bytes.find_first_of(" \t\r\n/>", at + 1);
    if (end == std::string_view::npos) return {};
    return bytes.substr(at + 1, end - at - 1);
  }
  return {};
}

uint32_t U32(std::string_view bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void PutU32(std::string& bytes, size_t at, uint64_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

std::optional<std::string> RepairTagged(std::string_view bytes) {
  // Only markup can be mended as markup.
  const size_t first = bytes.find_first_not_of(" \t\r\n", bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0);
  if (first == std::string_view::npos || bytes[first] != '<') return std::nullopt;
  const std::string root(RootName(bytes));
  const bool rootClosed = root.empty() || bytes.find("</" + root + ">") != std::string_view::npos;
  const size_t section = bytes.find(kSectionStart);
  const bool sectionClosed =
      section == std::string_view::npos || bytes.find(kSectionEnd, section) != std::string_view::npos;
  if (rootClosed && sectionClosed) return std::nullopt;

  std::string repaired;
  if (sectionClosed) {
    repaired.assign(bytes);
  } else {
    // Up to the end of the last complete record; a start tag cut in two is
    // dropped with the section.
    size_t keep = section;
    const size_t tagEnd = bytes.find('>', section);
    if (tagEnd != std::string_view::npos) {
      keep = tagEnd + 1;
      const size_t last = bytes.rfind(kRecordEnd);
      if (last != std::string_view::npos && last > tagEnd) keep = last + kRecordEnd.size();
    }
    repaired.assign(bytes.substr(0, keep));
    if (keep > section) repaired += "\r\n</P-Info>";
  }
  if (!rootClosed && root != kSectionStart.substr(1)) repaired += "\r\n</" + root + ">";
  repaired += "\r\n";
  return repaired;
}

std::optional<std::string> RepairContainer(std::string_view bytes) {
  constexpr size_t kTail = 128, kChunkHeader = 12, kDataHeader = 24, kRecordHeader = 32, kIndexAt = 80;
  const size_t size = bytes.size();
  std::vector<size_t> headers;          // header chunks kept whole
  std::optional<size_t> cutData, data;  // the data chunk cut short, the first one
  size_t offset = 0, kept = 0;
  const std::string_view start = bytes.substr(0, 4);
  if (start != "HFPR" && start != "HSPR" && start != "DHED") return std::nullopt;  // not a container
  for (;;) {
    if (offset + kTail == size) return std::nullopt;  // every chunk whole, then the tail
    if (offset + kChunkHeader > size) break;
    const std::string_view type = bytes.substr(offset, 4);
    const uint64_t end = uint64_t{offset} + U32(bytes, offset + 4);
    if (end < offset + kChunkHeader) return std::nullopt;  // does not walk
    if (end + kTail <= size || (type != "DHED" && end <= size)) {
      if (type == "HFPR" && end >= offset + kIndexAt + 4) headers.push_back(offset);
      if (type == "DHED" && !data) data = offset;
      offset = kept = static_cast<size_t>(end);
      if (end + kTail <= size) continue;
      break;
    }
    if (type == "DHED" && offset + kDataHeader <= size) {
      // The complete records of the data chunk cut short.
      size_t record = offset + kDataHeader;
      while (record + kRecordHeader <= size && record < end) {
        const uint64_t recordEnd = uint64_t{record} + U32(bytes, record + 8);
        if (recordEnd < record + kRecordHeader || recordEnd > size || recordEnd > end) break;
        record = static_cast<size_t>(recordEnd);
      }
      cutData = offset;
      if (!data) data = offset;
      kept = record;
    }
    break;
  }

  std::string repaired(bytes.substr(0, kept));
  if (cutData) PutU32(repaired, *cutData + 4, kept - *cutData);
  for (const size_t header : headers) {
    const uint64_t table = U32(repaired, header + kIndexAt);
    if (table == 0) continue;
    uint32_t written = 0;
    if (table + 20 <= kept) {
      const uint64_t count = std::min<uint64_t>(U32(repaired, table + 16), (kept - table - 20) / 8);
      for (uint64_t i = 0; i < count; ++i) {
        const size_t entry = static_cast<size_t>(table + 20 + 8 * i);
        // Entries lead to items of the data chunk being read: without one
        // they lead past the cut.
        const uint64_t item = uint64_t{data.value_or(kept)} + U32(repaired, entry + 4);
        if (item + 24 > kept || item + 24 + U32(repaired, static_cast<size_t>(item) + 12) > kept) continue;
        std::copy_n(repaired.begin() + static_cast<std::ptrdiff_t>(entry), 8,
                    repaired.begin() + static_cast<std::ptrdiff_t>(table + 20 + 8 * uint64_t{written}));
        ++written;
      }
    }
    if (written == 0) {
      PutU32(repaired, header + kIndexAt, 0);
    } else {
      PutU32(repaired, static_cast<size_t>(table + 16), written);
    }
  }
  repaired.append(kTail, '\0');
  return repaired;
}

}  // namespace plover
