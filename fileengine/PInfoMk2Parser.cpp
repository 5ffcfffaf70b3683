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

// Replaces `field` with a text read before, when that text was found.
void Apply(Mk2Text& field, const Mk2Text& found) {
  if (found && field != found) field = found;
}

}  // namespace

Mk2SampleText MetaFileEngine::read_sample_text(const char* text, uint32_t textLength) {
  Mk2SampleText found;
  const std::string_view whole(text, textLength);
  Replace(found.ts, ContentIn(whole, "TS"));
  Replace(found.gStat, ContentIn(whole, "G-STAT"));
  if (std::optional<std::string_view> gps = ContentIn(whole, "GPS")) {
    Replace(found.latitude, ContentIn(*gps, "Latitude"));
    Replace(found.longitude, ContentIn(*gps, "Longitude"));
    Replace(found.own, ContentIn(*gps, "Own"));
  }
  if (std::optional<std::string_view> radar = ContentIn(whole, "Radar")) {
    Replace(found.radarOwn, ContentIn(*radar, "Own"));
    Replace(found.radarTarget, ContentIn(*radar, "Target"));
  }
  return found;
}

bool MetaFileEngine::store_sample(const Mk2SampleText& found, uint32_t indexNumber, SampleTable& table) const {
  // Inherit from the sample with this index number, else the greatest one.
  // Texts are immutable and shared, so inheriting copies no bytes.
  PInfoMk2Sample sample;
  if (!table.empty()) {
    auto base = table.find(indexNumber);
    if (base == table.end()) base = std::prev(table.end());
    sample = base->second;
  }
  Apply(sample.ts, found.ts);
  Apply(sample.gStat, found.gStat);
  Apply(sample.latitude, found.latitude);
  Apply(sample.longitude, found.longitude);
  Apply(sample.own, found.own);
  Apply(sample.radarOwn, found.radarOwn);
  Apply(sample.radarTarget, found.radarTarget);

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

bool MetaFileEngine::parse_pinfo_mk2(const char* text, uint32_t textLength, uint32_t indexNumber,
                                     SampleTable& table) const {
  if (text == nullptr) return false;
  return store_sample(read_sample_text(text, textLength), indexNumber, table);
}

}  // namespace plover
