#include "engine/PInfoParser.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include "engine/MetadataEngine.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

// Start-tag prefixes that select the slots, compared in this order over their
// whole length; the first match wins.
struct SlotPrefix {
  std::string_view prefix;
  PInfoSlot slot;
};

constexpr SlotPrefix kSlotPrefixes[] = {
    {"Index", kIndexNo},
    {"TS", kTs},
    {"G-STAT", kGStat},
    {"Latitude", kLatitude},
    {"Longitude", kLongitude},
    {"Altitude", kAltitude},
    {"Own", kOwn},
    {"GPS_TS", kGpsTs},
    {"Satelite", kSatelite},
    {"Speed id=\"1\"", kSpeed1},
    {"Speed id=\"2\"", kSpeed2},
    {"Speed id=\"3\"", kSpeed3},
    {"Speed id=\"4\"", kSpeed4},
    {"Speed id=\"5\"", kSpeed5},
    {"TimeSync", kTimeSync},
    {"R-STAT", kRStat},
    {"CAM-STAT c1", kCamStat1},
    {"CAM-STAT c2", kCamStat2},
    {"CAM-STAT c3", kCamStat3},
    {"CAM-STAT c4", kCamStat4},
    {"CAM-STAT c5", kCamStat5},
    {"MIC-STAT", kMicStat},
    {"A-Mute", kAMute},
    {"CameraIn", kCameraIn},
    {"TEMP id=\"1\"", kTemp1},
    {"TEMP id=\"2\"", kTemp2},
};

// Display fields taken from element contents, with the name that reads each.
struct DisplaySource {
  PInfoSlot slot;
  const char* name;
  DisplayField field;
};

constexpr DisplaySource kDisplaySources[] = {
    {kTs, "TS", kShowTs},
    {kGStat, "G-STAT", kShowGStat},
    {kLatitude, "Latitude", kShowLatitude},
    {kLongitude, "Longitude", kShowLongitude},
    {kOwn, "Own", kShowOwn},
    {kSpeed1, "Speed id=\"1\"", kShowSpeed1},
    {kSpeed2, "Speed id=\"2\"", kShowSpeed2},
    {kSpeed3, "Speed id=\"3\"", kShowSpeed3},
    {kSpeed4, "Speed id=\"4\"", kShowSpeed4},
    {kSpeed5, "Speed id=\"5\"", kShowSpeed5},
};

constexpr std::string_view kCameraModels[] = {"RB-HMQ400", "RB-TN61", "RB-TN62", "TD481"};

constexpr size_t kStatusLength = 24;  // status characters the speed-trigger filter compares

// Stored texts end at their first NUL, as a NUL-terminated copy of the same
// bytes would.
std::string_view UpToNul(const char* text, size_t length) {
  const void* nul = std::memchr(text, '\0', length);
  return std::string_view(text, nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : length);
}

bool StartsWith(const char* text, size_t length, std::string_view prefix) {
  return length >= prefix.size() && std::memcmp(text, prefix.data(), prefix.size()) == 0;
}

// Offset of the first '<' at or after `from`, or -1.
int64_t NextTag(const char* text, uint32_t length, uint64_t from) {
  if (from >= length) return -1;
  const void* lt = std::memchr(text + from, '<', length - from);
  return lt ? static_cast<const char*>(lt) - text : -1;
}

// The scanner measures ranges in signed 32 bits.
int32_t ScanLength(uint64_t length) {
  constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(length < kMax ? length : kMax);
}

DisplayText WholeText(SharedText text) {
  const std::string_view view(*text);
  return DisplayText{std::move(text), view};
}

long ReadNumberField(const char* text, int column, int width) {
  char field[5] = {0, 0, 0, 0, 0};
  std::memcpy(field, text + column, static_cast<size_t>(width));
  return std::atol(field);
}

bool TwoDigits(const char* text, int column, int* value) {
  const char a = text[column];
  const char b = text[column + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  *value = (a - '0') * 10 + (b - '0');
  return true;
}

class PInfoParse {
 public:
  PInfoParse(MetadataEngine& engine, const char* fileName, int32_t speedTriggerOn, int32_t speedTriggerGpi)
      : engine_(engine),
        fileName_(WholeText(MakeText(fileName ? fileName : ""))),
        filterOn_(speedTriggerOn == 1 && speedTriggerGpi != 0),
        gpi_(speedTriggerGpi) {}

  bool Run(const char* section, uint32_t sectionLength);

 private:
  bool ReadIndex(const char* index, uint32_t indexLength);
  bool Dropped();

  MetadataEngine& engine_;
  DisplayText fileName_;
  bool filterOn_;
  int32_t gpi_;
  PInfoTextRecord work_;
  DisplayCache cache_;
  SampleClock clock_;
  bool havePrevious_ = false;
  char previous_[kStatusLength] = {};
};

bool PInfoParse::Run(const char* section, uint32_t sectionLength) {
  uint32_t lt = 0;
  const char* t = scan::GetElementContent(section, sectionLength, "P-Info", &lt);
  if (t == nullptr) return false;
  int64_t pos = NextTag(t, lt, 0);
  while (pos >= 0) {
    int32_t le = 0;
    const char* e = scan::FindElement(t + pos, ScanLength(lt - static_cast<uint64_t>(pos)), "Index", &le);
    // A '<' that opens no further Index (a trailing comment, say) ends the parse.
    if (e == nullptr) return false;
    if (!ReadIndex(e, static_cast<uint32_t>(le))) return false;
    pos = NextTag(t, lt, static_cast<uint64_t>(e - t) + static_cast<uint64_t>(le));
  }
  return true;
}

bool PInfoParse::ReadIndex(const char* index, uint32_t indexLength) {
  if (!index_number(index, indexLength, work_)) return false;
  uint32_t lb = 0;
  const char* b = scan::GetElementContent(index, indexLength, "Index", &lb);
  if (b == nullptr) return false;

  uint64_t key = 0;  // only a TS directly inside the Index sets the key
  for (int64_t q = NextTag(b, lb, 0); q >= 0;) {
    const char* child = b + q;
    const uint32_t remaining = lb - static_cast<uint32_t>(q);
    uint32_t childLength = 0;
    if (!parse_pinfo_child(engine_.cameraModelRates, child, remaining, work_, &childLength)) return false;
    if (StartsWith(child + 1, childLength - 1, "TS")) {
      key = index_time(child, remaining, &clock_);
      if (key == 0) return false;
    }
    q = NextTag(b, lb, static_cast<uint64_t>(q) + childLength);
  }

  if (filterOn_ && Dropped()) return true;

  PInfoSample sample;
  copy_text_record(work_, sample.elements);
  if (!fill_sample_display(sample, &cache_)) return false;
  sample.display[kShowFileName] = fileName_;
  engine_.samples.insert_or_assign(key, std::move(sample));
  return true;
}

// The speed-trigger filter.  A sample whose status row is missing or shorter
// than 24 characters is kept and leaves the last kept row as it was.  A gpi
// outside 1..24 masks no character.
bool PInfoParse::Dropped() {
  const SharedText& gStat = work_.slots[kGStat];
  if (!gStat) return false;
  const std::optional<std::string_view> status = cache_.Content(kShowGStat, gStat, "G-STAT");
  if (!status || status->size() < kStatusLength) return false;
  char row[kStatusLength];
  std::memcpy(row, status->data(), kStatusLength);
  if (gpi_ >= 1 && gpi_ <= static_cast<int32_t>(kStatusLength)) row[gpi_ - 1] = '0';
  if (havePrevious_ && std::memcmp(row, previous_, kStatusLength) == 0) return true;
  std::memcpy(previous_, row, kStatusLength);
  havePrevious_ = true;
  return false;
}

}  // namespace

bool parse_pinfo(MetadataEngine& engine, const char* fileName, const char* section, uint32_t sectionLength,
                 int32_t speedTriggerOn, int32_t speedTriggerGpi) {
  if (section == nullptr) return false;
  // A null file name (callers pass one) is taken as an empty name.
  try {
    PInfoParse parse(engine, fileName, speedTriggerOn, speedTriggerGpi);
    return parse.Run(section, sectionLength);
  } catch (const std::bad_alloc&) {
    return false;  // the sample being built is dropped; earlier ones stay
  }
}

bool parse_pinfo_child(CameraModelRates& rates, const char* child, uint32_t remaining, PInfoTextRecord& work,
                       uint32_t* childLength) {
  if (child == nullptr || childLength == nullptr || remaining == 0 || child[0] != '<') return false;
  const int32_t length = scan::GetElementLength(child, ScanLength(remaining));
  if (length < 0) return false;
  const auto l = static_cast<uint32_t>(length);
  *childLength = l;

  const char* groupName = nullptr;
  if (StartsWith(child + 1, l - 1, "GPS")) {
    groupName = "GPS";
  } else if (StartsWith(child + 1, l - 1, "Radar")) {
    groupName = "Radar";
  }
  if (groupName == nullptr) return store_pinfo_element(work, rates, child, l);

  uint32_t lg = 0;
  const char* g = scan::GetElementContent(child, remaining, groupName, &lg);
  if (g == nullptr) return false;  // no end tag, or nothing inside
  for (int64_t at = NextTag(g, lg, 0); at >= 0;) {
    const int32_t inner = scan::GetElementLength(g + at, ScanLength(lg - static_cast<uint64_t>(at)));
    if (inner < 0) return false;
    if (!store_pinfo_element(work, rates, g + at, static_cast<uint32_t>(inner))) return false;
    at = NextTag(g, lg, static_cast<uint64_t>(at) + static_cast<uint64_t>(inner));
  }
  return true;
}

bool store_pinfo_element(PInfoTextRecord& work, CameraModelRates& rates, const char* element, uint32_t elementLength) {
  if (element == nullptr) return false;
  if (elementLength < 1) return true;
  const char first = elementLength > 1 ? element[1] : '\0';
  for (const SlotPrefix& entry : kSlotPrefixes) {
    if (entry.prefix[0] != first || !StartsWith(element + 1, elementLength - 1, entry.prefix)) continue;
    SharedText& slot = work.slots[entry.slot];
    const std::string_view text = UpToNul(element, elementLength);
    // An element repeated unchanged keeps the text already held: the samples
    // that carry it share one copy.
    if (!slot || *slot != text) slot = MakeText(text);
    if (entry.slot >= kCamStat1 && entry.slot <= kCamStat5) {
      const int camera = entry.slot - kCamStat1;
      if (rates[camera] == -1) set_camera_model_rate(slot->c_str(), rates, camera);
    }
    return true;
  }
  return true;
}

bool index_number(const char* element, uint32_t elementLength, PInfoTextRecord& work) {
  if (element == nullptr) return false;
  const void* open = std::memchr(element, '"', elementLength);
  if (open == nullptr) return false;
  const char* value = static_cast<const char*>(open) + 1;
  const auto rest = static_cast<size_t>(element + elementLength - value);
  const void* close = std::memchr(value, '"', rest);
  if (close == nullptr) return false;
  work.slots[kIndexNo] = MakeText(UpToNul(value, static_cast<size_t>(static_cast<const char*>(close) - value)));
  return true;
}

int64_t SampleClock::Read(const char* text) {
  int minute = 0;
  int second = 0;
  if (!TwoDigits(text, 14, &minute) || !TwoDigits(text, 17, &second) || minute > 59 || second > 59) {
    return scan::ParseDateTime(text, true);
  }
  if (!valid_ || std::memcmp(hourKey_, text, sizeof hourKey_) != 0) {
    valid_ = false;
    char hour[19];
    std::memcpy(hour, text, sizeof hour);
    std::memcpy(hour + 14, "00:00", 5);
    const int64_t first = scan::ParseDateTime(hour, false);
    std::memcpy(hour + 14, "59:59", 5);
    const int64_t last = scan::ParseDateTime(hour, false);
    // 0 is also the failure result: such an hour is simply not remembered.
    if (first <= 0 || last != first + 3599) return scan::ParseDateTime(text, true);
    std::memcpy(hourKey_, text, sizeof hourKey_);
    hourBase_ = first;
    valid_ = true;
  }
  const int64_t seconds = hourBase_ + minute * 60 + second;
  return seconds * 1000 + static_cast<int64_t>(ReadNumberField(text, 20, 3));
}

uint64_t index_time(const char* element, uint32_t remaining, SampleClock* clock) {
  constexpr uint32_t kTsLength = 32;  // <TS> + 23 characters + </TS>
  constexpr uint32_t kTimeLength = 23;
  if (element == nullptr || remaining < kTsLength) return 0;
  const void* gt = std::memchr(element, '>', kTsLength);
  if (gt == nullptr) return 0;
  const char* time = static_cast<const char*>(gt) + 1;
  if (static_cast<uint32_t>(element + remaining - time) < kTimeLength) return 0;
  char text[kTimeLength + 1] = {};
  std::memcpy(text, time, kTimeLength);
  const int64_t key = clock ? clock->Read(text) : scan::ParseDateTime(text, true);
  return static_cast<uint64_t>(key);
}

void copy_text_record(const PInfoTextRecord& from, PInfoTextRecord& to) { to = from; }

std::optional<std::string_view> DisplayCache::Content(int field, const SharedText& element, const char* name) {
  if (!element) return std::nullopt;
  // The cache holds on to the element, so its address cannot be reused by a
  // different text while the entry lives.
  if (source_[field] != element) {
    source_[field] = element;
    content_[field] = scan::ElementContent(element->data(), static_cast<uint32_t>(element->size()), name);
  }
  return content_[field];
}

bool fill_sample_display(PInfoSample& sample, DisplayCache* cache) {
  for (const DisplaySource& source : kDisplaySources) {
    const SharedText& element = sample.elements.slots[source.slot];
    if (!element) continue;
    const std::optional<std::string_view> content =
        cache ? cache->Content(source.field, element, source.name)
              : scan::ElementContent(element->data(), static_cast<uint32_t>(element->size()), source.name);
    if (!content) return false;
    sample.display[source.field] = DisplayText{element, *content};
  }
  return true;
}

void release_sample(PInfoSample& sample) { sample = PInfoSample{}; }

uint32_t compose_index_text(char* out, uint32_t outSize, const PInfoTextRecord& record) {
  if (out == nullptr) outSize = 0;
  uint64_t length = 0;
  bool failed = false;
  auto piece = [&](std::string_view text) {
    if (!failed) {
      if (length + text.size() < outSize) {
        std::memcpy(out + length, text.data(), text.size());
      } else {
        failed = true;
      }
    }
    length += text.size();
  };
  auto line = [&](std::string_view text) {
    piece(text);
    piece("\r\n");
  };
  auto slot = [&](PInfoSlot s) {
    if (record.slots[s]) line(*record.slots[s]);
  };

  piece("<Index no=\"");
  if (record.slots[kIndexNo]) piece(*record.slots[kIndexNo]);
  piece("\">");
  piece("\r\n");
  slot(kTs);
  slot(kGStat);
  line("<GPS>");
  for (PInfoSlot s : {kLatitude, kLongitude, kAltitude, kOwn, kGpsTs, kSatelite}) slot(s);
  line("</GPS>");
  line("<Radar>");
  for (PInfoSlot s : {kSpeed1, kSpeed2, kSpeed3, kSpeed4, kSpeed5}) slot(s);
  line("</Radar>");
  for (PInfoSlot s : {kTimeSync, kRStat, kCamStat1, kCamStat2, kCamStat3, kCamStat4, kCamStat5, kMicStat, kAMute,
                      kCameraIn, kTemp1, kTemp2}) {
    slot(s);
  }
  piece("</Index>");
  return static_cast<uint32_t>(length);
}

bool set_camera_model_rate(const char* text, CameraModelRates& rates, int index) {
  if (text == nullptr || index < 0 || index >= static_cast<int>(rates.size())) return false;
  rates[index] = -1;
  const size_t length = std::strlen(text);
  constexpr std::string_view kPattern = "model=\"";
  if (length <= kPattern.size()) return false;
  size_t i = 0;
  for (;; ++i) {
    if (i + kPattern.size() >= length) return false;
    if (text[i] == '>') return false;
    if (std::memcmp(text + i, kPattern.data(), kPattern.size()) == 0) break;
  }
  const size_t value = i + kPattern.size();
  if (i + kPattern.size() + 1 >= length) return false;
  // The closing quote is looked for up to the second-to-last byte only.
  size_t end = value;
  for (;; ++end) {
    if (end > length - 2) return false;
    if (text[end] == '>') return false;
    if (text[end] == '"') break;
  }
  const size_t n = end - value;
  if (n == 0 || n >= 16) return false;
  bool listed = false;
  for (std::string_view model : kCameraModels) {
    // Equal to a listed model, or a prefix of one.
    if (n <= model.size() && std::memcmp(text + value, model.data(), n) == 0) listed = true;
  }
  rates[index] = listed ? 0 : 1;
  return true;
}

}  // namespace plover
