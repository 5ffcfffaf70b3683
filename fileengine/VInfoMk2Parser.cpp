// Reads the file-information text of a second-generation file into its 60
// text slots.  Every value stays text; every search is independent, so a
// missing element only leaves its slots empty.
#include <cstdio>
#include <optional>
#include <string_view>

#include "fileengine/AttributeValue.h"
#include "fileengine/MetaFileEngine.h"

namespace plover {

namespace {

void Store(VInfoMk2Record& record, size_t slot, const std::optional<std::string_view>& text) {
  if (text) record.slots[slot] = MakeMk2Text(*text);
}

// The numbered element names: "Stream id=\"0\"", "Officer no=\"1\"" ...
struct NumberedName {
  char text[16];
  NumberedName(const char* format, int n) { std::snprintf(text, sizeof text, format, n); }
};

void ReadStreams(std::string_view whole, VInfoMk2Record& record) {
  std::optional<std::string_view> streams = ContentIn(whole, "StreamInfo");
  if (!streams) return;
  for (int s = 0; s < 2; ++s) {
    NumberedName name("Stream id=\"%d\"", s);
    std::optional<std::string_view> stream = ContentIn(*streams, name.text);
    if (!stream) continue;
    std::optional<std::string_view> osd = FindElementIn(*stream, "OSD");
    if (!osd) continue;
    Store(record, VInfoMk2Record::kOsdDate + s, AttributeValue(*osd, "date=\""));
    Store(record, VInfoMk2Record::kOsdGpio + s, AttributeValue(*osd, "gpio=\""));
    Store(record, VInfoMk2Record::kOsdSrcArea + s, AttributeValue(*osd, "src-area=\""));
    Store(record, VInfoMk2Record::kOsdStyle + s, AttributeValue(*osd, "style=\""));
    Store(record, VInfoMk2Record::kOsdPos + s, AttributeValue(*osd, "pos=\""));
  }
}

void ReadOfficers(std::string_view whole, VInfoMk2Record& record) {
  std::optional<std::string_view> officers = ContentIn(whole, "Officers");
  if (!officers) return;
  for (int n = 1; n <= 2; ++n) {
    NumberedName name("Officer no=\"%d\"", n);
    std::optional<std::string_view> officer = ContentIn(*officers, name.text);
    if (!officer) continue;
    const size_t k = static_cast<size_t>(n - 1);
    Store(record, VInfoMk2Record::kFirstName + k, ContentIn(*officer, "First"));
    Store(record, VInfoMk2Record::kMiddleName + k, ContentIn(*officer, "Middle"));
    Store(record, VInfoMk2Record::kLastName + k, ContentIn(*officer, "Last"));
    Store(record, VInfoMk2Record::kOfficerId + k, ContentIn(*officer, "O-ID"));
  }
}

void ReadGpio(std::string_view whole, VInfoMk2Record& record) {
  std::optional<std::string_view> gpio = FindElementIn(whole, "GPIO");
  if (!gpio) return;
  Store(record, VInfoMk2Record::kGpioSwitch, AttributeValue(*gpio, "sw=\""));
  std::optional<std::string_view> entries = ContentOf(*gpio, "GPIO");
  if (!entries) return;
  for (int n = 1; n <= 16; ++n) {
    NumberedName name("ASN no=\"%d\"", n);
    std::optional<std::string_view> asn = ContentIn(*entries, name.text);
    if (!asn) continue;
    std::optional<std::string_view> icon = FindElementIn(*asn, "ICON");
    if (!icon) continue;
    const size_t k = static_cast<size_t>(n - 1);
    Store(record, VInfoMk2Record::kAsnIconSwitch + k, AttributeValue(*icon, "sw=\""));
    // A self-closing <ICON sw="1"/> has its attribute text as content.
    Store(record, VInfoMk2Record::kAsnIcon + k, ContentOf(*icon, "ICON"));
  }
}

}  // namespace

bool MetaFileEngine::parse_vinfo_mk2(const char* text, uint32_t textLength) {
  if (text == nullptr) return false;
  // The first file information stored for a path stays until clearing.
  if (fileInfoByFile.find(std::string_view(currentPath)) != fileInfoByFile.end()) return false;

  const std::string_view whole(text, textLength);
  VInfoMk2Record record;
  Store(record, VInfoMk2Record::kFileName, ContentIn(whole, "F-Name"));

  // TZone is read only when there is no complete TZoneInfo element, even
  // when that element lacks its gmt attribute.
  if (std::optional<std::string_view> zoneInfo = FindElementIn(whole, "TZoneInfo")) {
    Store(record, VInfoMk2Record::kTimeZoneGmt, AttributeValue(*zoneInfo, "gmt=\""));
  } else {
    Store(record, VInfoMk2Record::kTimeZone, ContentIn(whole, "TZone"));
  }

  ReadStreams(whole, record);
  if (std::optional<std::string_view> shift = ContentIn(whole, "Shift")) {
    Store(record, VInfoMk2Record::kShiftPattern, ContentIn(*shift, "PTN"));
  }
  ReadOfficers(whole, record);
  Store(record, VInfoMk2Record::kVId, ContentIn(whole, "V-ID"));
  Store(record, VInfoMk2Record::kArea, ContentIn(whole, "Area"));
  Store(record, VInfoMk2Record::kUnitName, ContentIn(whole, "UnitName"));
  Store(record, VInfoMk2Record::kAgency, ContentIn(whole, "Agency"));
  ReadGpio(whole, record);
  if (std::optional<std::string_view> radar = ContentIn(whole, "R-Speed")) {
    Store(record, VInfoMk2Record::kRSpeedUnit, ContentIn(*radar, "Unit"));
  }

  fileInfoByFile.emplace(currentPath, std::move(record));
  return true;
}

}  // namespace plover
