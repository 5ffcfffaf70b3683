#include "engine/FileList.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "engine/MetadataEngine.h"
#include "platform/PageAlloc.h"
#include "scan/CopyOut.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

constexpr size_t kNameField = 256;
constexpr uint32_t kTimeTextLength = 19;  // YYYY-MM-DD hh:mm:ss

int32_t Limit(size_t length) { return length > 0x7fffffffu ? 0x7fffffff : static_cast<int32_t>(length); }

struct Element {
  const char* data = nullptr;
  uint32_t length = 0;
};

// The data type code of a dtype value, -1 for none.
int32_t DataTypeCode(std::string_view value) {
  if (value.size() != 1) return -1;
  switch (value[0]) {
    case 'v':
      return 0;
    case 'a':
      return 1;
    case 'x':
      return 2;
    case 'w':
      return 3;
    default:
      return -1;
  }
}

// The first element `name` at or after a position that only moves forward.
// The element found last is remembered while it still lies ahead, so that a
// run of File elements without their own F-Name or RecST never rescans the
// same stretch.
class ForwardFinder {
 public:
  ForwardFinder(const char* end, const char* name) : end_(end), name_(name) {}

  std::optional<std::string_view> ContentFrom(const char* pos) {
    if (found_.data == nullptr || found_.data < pos) {
      int32_t length = 0;
      const char* e = scan::FindElement(pos, Limit(static_cast<size_t>(end_ - pos)), name_, &length);
      if (e == nullptr) return std::nullopt;
      found_ = {e, static_cast<uint32_t>(length)};
    }
    return scan::ElementContent(found_.data, found_.length, name_);
  }

 private:
  const char* end_;
  const char* name_;
  Element found_;
};

// The FileList element inside the first F-Info of a document, or none.
Element FindFileList(std::string_view document) {
  int32_t finfoLength = 0;
  const char* finfo = scan::FindElement(document.data(), Limit(document.size()), "F-Info", &finfoLength);
  if (finfo == nullptr) return {};
  int32_t length = 0;
  const char* fileList = scan::FindElement(finfo, finfoLength, "FileList", &length);
  if (fileList == nullptr) return {};
  return {fileList, static_cast<uint32_t>(length)};
}

// A name field read as a NUL-terminated string that may fill all 256 bytes.
std::string NameOf(const std::array<char, kNameField>& field) {
  const void* nul = std::memchr(field.data(), '\0', kNameField);
  return std::string(field.data(),
                     nul ? static_cast<size_t>(static_cast<const char*>(nul) - field.data()) : kNameField);
}

}  // namespace

namespace {

// Sorts the File elements of a FileList element by data type and channel in
// one walk: for each pair, the elements a walk for that pair alone would
// take, in document order, up to the first one without F-Name or RecST (whose
// pair goes into `ended`).  False when the walk ended early for every pair.
bool ListFileElements(const Element& fileList, DocumentIndex& index,
                      std::map<std::pair<int32_t, int32_t>, bool>& ended) {
  uint32_t contentLength = 0;
  const char* content = scan::GetElementContent(fileList.data, fileList.length, "FileList", &contentLength);
  if (content == nullptr) return false;
  const char* const end = content + contentLength;
  ForwardFinder names(end, "F-Name");
  ForwardFinder starts(end, "RecST");

  const char* pos = static_cast<const char*>(std::memchr(content, '<', contentLength));
  while (pos != nullptr) {
    int32_t fileLength = 0;
    const char* fileStart = scan::FindElement(pos, Limit(static_cast<size_t>(end - pos)), "File", &fileLength);
    if (fileStart == nullptr) return false;
    const Element file{fileStart, static_cast<uint32_t>(fileLength)};

    const auto ch = scan::FindAttributeText(file.data, file.length, "ch=\"");
    const auto dtype = scan::FindAttributeText(file.data, file.length, "dtype=\"");
    if (ch && ch->size() <= 2 && dtype && DataTypeCode(*dtype) >= 0) {
      char digits[3] = {};
      std::memcpy(digits, ch->data(), ch->size());
      const std::pair<int32_t, int32_t> pair(DataTypeCode(*dtype), std::atoi(digits));
      if (pair.second >= 1 && pair.second <= 99 && !ended[pair]) {
        const auto name = names.ContentFrom(pos);
        const auto start = name ? starts.ContentFrom(pos) : std::nullopt;
        if (name && start) {
          index.files[pair].push_back({*name, start->substr(0, kTimeTextLength)});
        } else {
          ended[pair] = true;
        }
      }
    }

    const char* next = file.data + file.length;
    pos = next < end ? static_cast<const char*>(std::memchr(next, '<', static_cast<size_t>(end - next))) : nullptr;
  }
  return true;
}

// Adds the listed files of one pair to a start-time list; the first file of
// a start time wins.  Times are read now, in the zone of the moment.
void AddFiles(const std::vector<DocumentIndex::ListedFile>& files, StartTimeList& out) {
  for (const DocumentIndex::ListedFile& file : files) {
    std::array<char, kNameField> field{};
    std::memcpy(field.data(), file.name.data(), std::min(file.name.size(), kNameField));
    // Only the first 19 characters are read: a longer RecST is cut there, a
    // shorter one reads as if padded with NULs.
    char time[kTimeTextLength + 1] = {};
    std::memcpy(time, file.start.data(), file.start.size());
    out.emplace(static_cast<uint64_t>(scan::ParseDateTime(time, false)), field);
  }
}

// The start-time list of one pair from the document's index.  Times are
// read at each call, in the zone of the moment.
StartTimeList FilesOf(const DocumentEntry& entry, int32_t dataType, int32_t channel) {
  StartTimeList out;
  DocumentIndex& index = entry.index;
  if (!index.filesListed) {
    index.filesListed = true;
    const Element fileList = FindFileList(entry.Text());
    std::map<std::pair<int32_t, int32_t>, bool> ended;
    if (fileList.data != nullptr) ListFileElements(fileList, index, ended);
  }
  const auto it = index.files.find({dataType, channel});
  if (it != index.files.end()) AddFiles(it->second, out);
  return out;
}

}  // namespace

bool parse_fileList(const char* fileList, uint32_t length, int32_t dataType, int32_t channel, StartTimeList& out) {
  if (dataType < 0 || dataType > 3 || channel < 1 || channel > 99 || fileList == nullptr) return false;
  DocumentIndex index;
  std::map<std::pair<int32_t, int32_t>, bool> ended;
  const bool walked = ListFileElements({fileList, length}, index, ended);
  const std::pair<int32_t, int32_t> pair(dataType, channel);
  const auto it = index.files.find(pair);
  if (it != index.files.end()) AddFiles(it->second, out);
  return walked && !ended[pair];
}

bool GetAv3File(const MetadataEngine& engine, int32_t dataType, int32_t channel, _META_VO_SFILELIST** list,
                int32_t* count, const char* fileName) {
  if (list == nullptr || count == nullptr || fileName == nullptr) return false;
  const auto it = engine.documents.find(fileName);
  if (it == engine.documents.end()) return false;

  const StartTimeList files = FilesOf(it->second, dataType, channel);
  *count = static_cast<int32_t>(files.size());
  if (files.empty()) {
    *list = nullptr;
    return true;
  }
  if (files.size() > SIZE_MAX / sizeof(_META_VO_SFILELIST)) return false;
  auto* array = static_cast<_META_VO_SFILELIST*>(platform::AllocatePages(files.size() * sizeof(_META_VO_SFILELIST)));
  if (array == nullptr) return false;
  size_t i = 0;
  for (const auto& [start, name] : files) std::memcpy(array[i++].fileName, name.data(), kNameField);
  *list = array;
  return true;
}

// The same lists GetAv3File hands out, without allocating arrays.
void register_files(MetadataEngine& engine, const std::string& documentFileName) {
  struct Pair {
    int32_t dataType;
    int32_t channel;
  };
  static constexpr Pair kPairs[] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {2, 2}, {2, 3},
                                    {2, 4}, {2, 5}, {3, 1}, {3, 2}, {1, 1}, {1, 2}, {1, 3}};
  const auto it = engine.documents.find(documentFileName);
  if (it == engine.documents.end()) return;
  for (const Pair& pair : kPairs) {
    for (const auto& [start, name] : FilesOf(it->second, pair.dataType, pair.channel)) {
      engine.documentByFile.try_emplace(NameOf(name), documentFileName);
    }
  }
}

// A null name is unknown.
bool GetMetaFileName(const MetadataEngine& engine, const char* name, char* out) {
  if (name == nullptr || out == nullptr) return false;
  const auto it = engine.documentByFile.find(name);
  if (it == engine.documentByFile.end()) return false;
  CopyDisplayText(out, kNameField, it->second);
  return true;
}

}  // namespace plover
