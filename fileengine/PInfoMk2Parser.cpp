// Reads one sample text of a second-generation file into a sample table.
#include <iterator>
#include <optional>
#include <string_view>

#include "fileengine/AttributeValue.h"
#include "fileengine/MetaFileEngine.h"
#include "scan/Scanner.h"

namespace plover {

namespace {

constexpr size_t kDateTimeLength = 19;  // YYYY?MM?DD?hh?mm?ss

// Replaces `field` (perhaps inherited) when the text was found.  A text
// equal to the one held is kept: consecutive samples share it.
void Replace(Mk2Text& field, const std::optional<std::string_view>& text) {
  if (text && !(field && *field == *text)) field = MakeMk2Text(*text);
}

}  // namespace

bool MetaFileEngine::parse_pinfo_mk2(const char* text, uint32_t textLength, uint32_t indexNumber,
                                     SampleTable& table) const {
  if (text == nullptr) return false;

  // Inherit from the sample with this index number, else the greatest one.
  // Texts are immutable and shared, so inheriting copies no bytes.
  PInfoMk2Sample sample;
  if (!table.empty()) {
    auto base = table.find(indexNumber);
    if (base == table.end()) base = std::prev(table.end());
    sample = base->second;
  }

  const std::string_view whole(text, textLength);
  Replace(sample.ts, ContentIn(whole, "TS"));
  Replace(sample.gStat, ContentIn(whole, "G-STAT"));
  if (std::optional<std::string_view> gps = ContentIn(whole, "GPS")) {
    Replace(sample.latitude, ContentIn(*gps, "Latitude"));
    Replace(sample.longitude, ContentIn(*gps, "Longitude"));
    Replace(sample.own, ContentIn(*gps, "Own"));
  }
  if (std::optional<std::string_view> radar = ContentIn(whole, "Radar")) {
    Replace(sample.radarOwn, ContentIn(*radar, "Own"));
    Replace(sample.radarTarget, ContentIn(*radar, "Target"));
  }

  // Samples of one load share one copy of the path.
  if (!sample.fileName || *sample.fileName != currentPath) sample.fileName = MakeMk2Text(currentPath);

  if (!sample.ts || sample.ts->size() < kDateTimeLength) return false;
  const int64_t time = scan::ParseDateTime(sample.ts->c_str(), false);
  if (time == 0) return false;
  sample.sampleTime = time;
  sample.indexNumber = indexNumber;

  table.insert_or_assign(indexNumber, std::move(sample));
  return true;
}

}  // namespace plover
