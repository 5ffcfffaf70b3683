#include "engine/PInfoParser.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <utility>

#include "engine/MetadataEngine.h"
#include "scan/ByteSearch.h"
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

// The entries of kSlotPrefixes by the first byte of their prefix, each list
// in table order, so that an element is compared only with the prefixes
// that can match it.  0xFF ends a list.
constexpr size_t kPrefixCount = sizeof kSlotPrefixes / sizeof kSlotPrefixes[0];
struct PrefixIndex {
  uint8_t first[256];
  uint8_t next[kPrefixCount];
};

constexpr PrefixIndex MakePrefixIndex() {
  PrefixIndex index{};
  for (uint8_t& f : index.first) f = 0xFF;
  for (size_t k = kPrefixCount; k-- > 0;) {
    const auto c = static_cast<unsigned char>(kSlotPrefixes[k].prefix[0]);
    index.next[k] = index.first[c];
    index.first[c] = static_cast<uint8_t>(k);
  }
  return index;
}

constexpr PrefixIndex kPrefixIndex = MakePrefixIndex();

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

// The slots that kDisplaySources reads.
constexpr std::array<bool, kPInfoSlotCount> MakeDisplaySlots() {
  std::array<bool, kPInfoSlotCount> slots{};
  for (const DisplaySource& source : kDisplaySources) slots[source.slot] = true;
  return slots;
}

constexpr std::array<bool, kPInfoSlotCount> kDisplaySlot = MakeDisplaySlots();

constexpr std::string_view kCameraModels[] = {"RB-HMQ400", "RB-TN61", "RB-TN62", "TD481"};

constexpr size_t kStatusLength = 24;  // status characters the speed-trigger filter compares

// Stored texts end at their first NUL, as a NUL-terminated copy of the same
// bytes would.
std::string_view UpToNul(const char* text, size_t length, const char* nulFreeEnd = nullptr) {
  if (nulFreeEnd != nullptr && text <= nulFreeEnd && length <= static_cast<size_t>(nulFreeEnd - text)) {
    return std::string_view(text, length);
  }
  const char* nul = scan::FindByte(text, length, '\0');
  return std::string_view(text, nul ? static_cast<size_t>(nul - text) : length);
}

// Prefixes are a few bytes long: compared in place rather than with a call.
bool StartsWith(const char* text, size_t length, std::string_view prefix) {
  if (length < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i]) return false;
  }
  return true;
}

// Offset of the first '<' at or after `from`, or -1.
int64_t NextTag(const char* text, uint32_t length, uint64_t from) {
  if (from >= length) return -1;
  const char* lt = scan::FindByte(text + from, length - from, '<');
  return lt ? lt - text : -1;
}

// The scanner measures ranges in signed 32 bits.
int32_t ScanLength(uint64_t length) {
  constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(length < kMax ? length : kMax);
}

class PInfoParse {
 public:
  PInfoParse(MetadataEngine& engine, std::shared_ptr<const SampleSource> source, int32_t speedTriggerOn,
             int32_t speedTriggerGpi)
      : engine_(engine),
        source_(std::move(source)),
        filterOn_(speedTriggerOn == 1 && speedTriggerGpi != 0),
        gpi_(speedTriggerGpi) {}

  bool Run(const char* section, uint32_t sectionLength);

 private:
  bool ReadIndex(const char* index, uint32_t indexLength);
  bool Dropped();

  MetadataEngine& engine_;
  std::shared_ptr<const SampleSource> source_;
  bool filterOn_;
  int32_t gpi_;
  PInfoTextRecord work_;
  DisplayCache cache_;
  bool havePrevious_ = false;
  char previous_[kStatusLength] = {};
  const char* nulFreeEnd_ = nullptr;
};

bool PInfoParse::Run(const char* section, uint32_t sectionLength) {
  uint32_t lt = 0;
  const char* t = scan::GetElementContent(section, sectionLength, "P-Info", &lt);
  if (t == nullptr) return false;
  // One search for a NUL spares every element its own.
  const char* nul = scan::FindByte(t, lt, '\0');
  nulFreeEnd_ = nul ? nul : t + lt;
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
  // The range is the one FindElement returned: its end tag is known.
  const std::optional<std::string_view> body = scan::FoundElementContent(index, indexLength, "Index");
  if (!body) return false;
  const char* b = body->data();
  const auto lb = static_cast<uint32_t>(body->size());

  uint64_t key = 0;  // only a TS directly inside the Index sets the key
  for (int64_t q = NextTag(b, lb, 0); q >= 0;) {
    const char* child = b + q;
    const uint32_t remaining = lb - static_cast<uint32_t>(q);
    uint32_t childLength = 0;
    if (!parse_pinfo_child(engine_.cameraModelRates, child, remaining, work_, &childLength, nulFreeEnd_)) {
      return false;
    }
    if (StartsWith(child + 1, childLength - 1, "TS")) {
      key = index_time(child, remaining);
      if (key == 0) return false;
    }
    q = NextTag(b, lb, static_cast<uint64_t>(q) + childLength);
  }

  if (filterOn_ && Dropped()) return true;

  PInfoSample sample;
  copy_text_record(work_, sample.elements);
  if (!fill_sample_display(sample, &cache_)) return false;
  sample.source = source_;
  sample.display[kShowFileName] = DisplayText{source_->fileName, true};
  engine_.samples.insert_or_assign(key, std::move(sample));
  return true;
}

// The speed-trigger filter.  A sample whose status row is missing or shorter
// than 24 characters is kept and leaves the last kept row as it was.  A gpi
// outside 1..24 masks no character.
bool PInfoParse::Dropped() {
  const std::string_view gStat = work_.slots[kGStat];
  if (!Stored(gStat)) return false;
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
  try {
    auto copy = std::make_shared<const std::string>(section, sectionLength);
    const char* start = copy->data();
    // A null file name (callers pass one) is taken as an empty name.
    return parse_pinfo_in(engine, fileName ? fileName : "", std::move(copy), start, sectionLength, speedTriggerOn,
                          speedTriggerGpi);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool parse_pinfo_in(MetadataEngine& engine, std::string fileName, std::shared_ptr<const std::string> bytes,
                    const char* section, uint32_t sectionLength, int32_t speedTriggerOn, int32_t speedTriggerGpi) {
  if (section == nullptr || bytes == nullptr) return false;
  try {
    PInfoParse parse(engine, std::make_shared<const SampleSource>(SampleSource{std::move(bytes), std::move(fileName)}),
                     speedTriggerOn, speedTriggerGpi);
    return parse.Run(section, sectionLength);
  } catch (const std::bad_alloc&) {
    return false;  // the sample being built is dropped; earlier ones stay
  }
}

bool parse_pinfo_child(CameraModelRates& rates, const char* child, uint32_t remaining, PInfoTextRecord& work,
                       uint32_t* childLength, const char* nulFreeEnd) {
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
  if (groupName == nullptr) return store_pinfo_element(work, rates, child, l, nulFreeEnd);

  // When the start tag's name is exactly the group's, the element just
  // measured ends with the group's first end tag: it is not searched again.
  const size_t nameLength = std::strlen(groupName);
  const bool exact = l > nameLength + 1 && (child[nameLength + 1] == '>' || child[nameLength + 1] == ' ');
  uint32_t lg = 0;
  const char* g = nullptr;
  if (exact) {
    const std::optional<std::string_view> content = scan::FoundElementContent(child, l, groupName);
    if (content) {
      g = content->data();
      lg = static_cast<uint32_t>(content->size());
    }
  } else {
    g = scan::GetElementContent(child, remaining, groupName, &lg);
  }
  if (g == nullptr) return false;  // no end tag, or nothing inside
  for (int64_t at = NextTag(g, lg, 0); at >= 0;) {
    const int32_t inner = scan::GetElementLength(g + at, ScanLength(lg - static_cast<uint64_t>(at)));
    if (inner < 0) return false;
    if (!store_pinfo_element(work, rates, g + at, static_cast<uint32_t>(inner), nulFreeEnd)) return false;
    at = NextTag(g, lg, static_cast<uint64_t>(at) + static_cast<uint64_t>(inner));
  }
  return true;
}

bool store_pinfo_element(PInfoTextRecord& work, CameraModelRates& rates, const char* element, uint32_t elementLength,
                         const char* nulFreeEnd) {
  if (element == nullptr) return false;
  if (elementLength < 1) return true;
  const char first = elementLength > 1 ? element[1] : '\0';
  for (uint8_t k = kPrefixIndex.first[static_cast<unsigned char>(first)]; k != 0xFF; k = kPrefixIndex.next[k]) {
    const SlotPrefix& entry = kSlotPrefixes[k];
    if (!StartsWith(element + 1, elementLength - 1, entry.prefix)) continue;
    std::string_view& slot = work.slots[entry.slot];
    const std::string_view text = UpToNul(element, elementLength, nulFreeEnd);
    const bool camera = entry.slot >= kCamStat1 && entry.slot <= kCamStat5;
    const bool rateUnset = camera && rates[entry.slot - kCamStat1] == -1;
    // A display element repeated unchanged keeps the text already held, so
    // that its content is not searched again.  The camera model rule gives
    // the same answer for the same text, so a kept text is not read again
    // either: it left the rate unset when it was read, and only this rule
    // sets a rate.
    if ((rateUnset || kDisplaySlot[entry.slot]) && Stored(slot) && slot == text) return true;
    slot = text;
    if (rateUnset) set_camera_model_rate(slot, rates, entry.slot - kCamStat1);
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
  work.slots[kIndexNo] = UpToNul(value, static_cast<size_t>(static_cast<const char*>(close) - value));
  return true;
}

uint64_t index_time(const char* element, uint32_t remaining) {
  constexpr uint32_t kTsLength = 32;  // <TS> + 23 characters + </TS>
  constexpr uint32_t kTimeLength = 23;
  if (element == nullptr || remaining < kTsLength) return 0;
  const void* gt = std::memchr(element, '>', kTsLength);
  if (gt == nullptr) return 0;
  const char* time = static_cast<const char*>(gt) + 1;
  if (static_cast<uint32_t>(element + remaining - time) < kTimeLength) return 0;
  char text[kTimeLength + 1] = {};
  std::memcpy(text, time, kTimeLength);
  const int64_t key = scan::ParseDateTime(text, true);
  return static_cast<uint64_t>(key);
}

void copy_text_record(const PInfoTextRecord& from, PInfoTextRecord& to) { to = from; }

std::optional<std::string_view> DisplayCache::Content(int field, std::string_view element, const char* name) {
  if (!Stored(element)) return std::nullopt;
  // The texts of one parse never change and are never freed while it runs:
  // the same place and length is the same text.
  const std::string_view cached = source_[field];
  if (cached.data() != element.data() || cached.size() != element.size()) {
    source_[field] = element;
    content_[field] = scan::ElementContent(element.data(), static_cast<uint32_t>(element.size()), name);
  }
  return content_[field];
}

bool fill_sample_display(PInfoSample& sample, DisplayCache* cache) {
  for (const DisplaySource& source : kDisplaySources) {
    const std::string_view element = sample.elements.slots[source.slot];
    if (!Stored(element)) continue;
    const std::optional<std::string_view> content =
        cache ? cache->Content(source.field, element, source.name)
              : scan::ElementContent(element.data(), static_cast<uint32_t>(element.size()), source.name);
    if (!content) return false;
    sample.display[source.field] = DisplayText{*content, true};
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
        if (!text.empty()) std::memcpy(out + length, text.data(), text.size());
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
    if (Stored(record.slots[s])) line(record.slots[s]);
  };

  piece("<Index no=\"");
  piece(record.slots[kIndexNo]);
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
  if (text == nullptr) return false;
  return set_camera_model_rate(std::string_view(text), rates, index);
}

bool set_camera_model_rate(std::string_view text, CameraModelRates& rates, int index) {
  if (index < 0 || index >= static_cast<int>(rates.size())) return false;
  rates[index] = -1;
  const size_t length = text.size();
  constexpr std::string_view kPattern = "model=\"";
  if (length <= kPattern.size()) return false;
  size_t i = 0;
  for (;; ++i) {
    if (i + kPattern.size() >= length) return false;
    if (text[i] == '>') return false;
    if (std::memcmp(text.data() + i, kPattern.data(), kPattern.size()) == 0) break;
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
    if (n <= model.size() && std::memcmp(text.data() + value, model.data(), n) == 0) listed = true;
  }
  rates[index] = listed ? 0 : 1;
  return true;
}

}  // namespace plover
