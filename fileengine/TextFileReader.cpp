// The text form (form 1): one tagged-text document with an F-Info element
// (the file information) and a P-Info element of Index elements, each one
// sample text numbered by its no="..." attribute.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileengine/AttributeValue.h"
#include "fileengine/FileReader.h"
#include "fileengine/MetaFileEngine.h"

namespace plover {

namespace {

// The index number of an Index element: its no="..." value read as a
// 32-bit atol does (leading blanks and a sign accepted, digits up to the
// first other byte or NUL, none giving 0, values beyond the signed 32-bit
// range saturating), the signed result taken as unsigned: "-1" gives
// 4294967295.  The same on every build, whatever the width of long.
uint32_t IndexNumber(std::string_view value) {
  const std::string text(value);
  long long number = std::strtoll(text.c_str(), nullptr, 10);
  if (number > INT32_MAX) number = INT32_MAX;
  if (number < INT32_MIN) number = INT32_MIN;
  return static_cast<uint32_t>(static_cast<int32_t>(number));
}

}  // namespace

bool MetaFileEngine::read_text_file(FileReader& file, uint32_t size) {
  if (size == 0) return false;

  // The markup of the whole file (from its first '<' to its last '>'), read
  // in pieces: what lies outside that span holds no element.
  std::vector<char> buffer;
  if (!file.read_markup(0, size, buffer)) return false;
  const std::string_view whole(buffer.data(), buffer.size());

  std::optional<std::string_view> fileInfo = ContentIn(whole, "F-Info");
  if (!fileInfo) return false;
  if (!parse_vinfo_mk2(fileInfo->data(), static_cast<uint32_t>(fileInfo->size()))) return false;

  // Without samples the file information stays stored.
  std::optional<std::string_view> samples = ContentIn(whole, "P-Info");
  if (!samples || samples->empty()) return false;

  // The engine keeps the samples of one text file at a time.
  samplesByFile.clear();

  SampleTable table;
  std::string_view rest = *samples;
  while (!rest.empty()) {
    std::optional<std::string_view> element = FindElementIn(rest, "Index");
    if (!element) break;
    if (std::optional<std::string_view> number = AttributeValue(*element, "no=\"")) {
      bytesExamined += element->size();
      parse_pinfo_mk2(element->data(), static_cast<uint32_t>(element->size()), IndexNumber(*number), table);
    }
    rest.remove_prefix(static_cast<size_t>(element->data() + element->size() - rest.data()));
  }
  samplesByFile.emplace(currentPath, std::move(table));
  return true;
}

}  // namespace plover
