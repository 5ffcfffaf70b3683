#include "engine/BinaryDecoder.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

#include "engine/MetadataEngine.h"
#include "engine/PInfoParser.h"
#include "scan/CopyOut.h"

namespace plover {
namespace {

constexpr uint32_t kRecordLength = 284;

// Offsets of the record's fields.
namespace at {
constexpr uint32_t kTimeStamp = 8;     // 32 bytes
constexpr uint32_t kRStat = 40;        // 8
constexpr uint32_t kGStat = 48;        // 28
constexpr uint32_t kSpeeds = 76;       // 5 x 4
constexpr uint32_t kLatitude = 96;     // 12
constexpr uint32_t kLongitude = 108;   // 16
constexpr uint32_t kAltitude = 124;    // 8
constexpr uint32_t kOwn = 132;         // 4
constexpr uint32_t kGpsHour = 136;     // 2 each: hour, minute, second
constexpr uint32_t kGpsDay = 144;      // 2 each: day, month, year in the century
constexpr uint32_t kSatellites = 152;  // 4
constexpr uint32_t kTimeSync = 156;    // 32
constexpr uint32_t kTemps = 188;       // 2 x 8
constexpr uint32_t kCamStatus = 204;   // 5 x 1
constexpr uint32_t kCamIp = 212;       // 5 x 4
constexpr uint32_t kCamMac = 232;      // 5 x 8, 6 used
constexpr uint32_t kMicStatus = 272;   // 3 x 1
constexpr uint32_t kMute = 276;        // 7 x 1
}  // namespace at

// A text field: its bytes up to the first NUL, or all of them.
std::string_view Field(const unsigned char* data, uint32_t offset, uint32_t width) {
  const char* text = reinterpret_cast<const char*>(data + offset);
  const void* nul = std::memchr(text, '\0', width);
  return std::string_view(text, nul ? static_cast<size_t>(static_cast<const char*>(nul) - text) : width);
}

int Width(std::string_view text) { return static_cast<int>(text.size()); }

// The element texts of one decoded record, each at most 255 characters, in
// a fixed block: decoding allocates nothing.
class DecodedTexts {
 public:
  static constexpr size_t kTextSize = 256;

#if defined(__GNUC__)
  __attribute__((format(printf, 3, 4)))
#endif
  void
  Format(int slot, const char* format, ...) {
    char* text = texts_[static_cast<size_t>(slot)];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, kTextSize, format, args);
    va_end(args);
    size_t length = 0;
    if (written > 0) length = static_cast<size_t>(written) < kTextSize ? static_cast<size_t>(written) : kTextSize - 1;
    record_.slots[static_cast<size_t>(slot)] = std::string_view(text, length);
  }

  void Element(int slot, const char* format, std::string_view value) {
    Format(slot, format, Width(value), value.data());
  }

  const PInfoTextRecord& Record() const { return record_; }

 private:
  char texts_[kPInfoSlotCount][kTextSize];
  PInfoTextRecord record_;
};

}  // namespace

int32_t decode_binary_pinfo(const MetadataEngine& engine, const unsigned char* data, uint32_t length,
                            unsigned char* aux, uint32_t auxLength, _SP_INFO_OSD* record) {
  if (data == nullptr || length < kRecordLength) return -1;
  DecodedTexts work;
  const uint32_t size = engine.osdInfoSize;
  // A field that is both an element and a display text.
  auto shown = [&](int slot, const char* format, std::string_view value, char* _SP_INFO_OSD::*field) {
    work.Element(slot, format, value);
    if (record != nullptr) CopyDisplayText(record->*field, size, value);
  };

  shown(kTs, "<TS>%.*s</TS>", Field(data, at::kTimeStamp, 32), &_SP_INFO_OSD::ts);
  shown(kGStat, "<G-STAT>%.*s</G-STAT>", Field(data, at::kGStat, 28), &_SP_INFO_OSD::gStat);
  shown(kLatitude, "<Latitude>%.*s</Latitude>", Field(data, at::kLatitude, 12), &_SP_INFO_OSD::latitude);
  shown(kLongitude, "<Longitude>%.*s</Longitude>", Field(data, at::kLongitude, 16), &_SP_INFO_OSD::longitude);
  work.Element(kAltitude, "<Altitude>%.*s</Altitude>", Field(data, at::kAltitude, 8));
  shown(kOwn, "<Own>%.*s</Own>", Field(data, at::kOwn, 4), &_SP_INFO_OSD::own);

  // The year of the GPS time: the century from the first two characters of
  // the time synchronisation field, then the year within the century.
  const std::string_view timeSync = Field(data, at::kTimeSync, 32);
  const std::string_view century = timeSync.substr(0, 2);
  const std::string_view year = Field(data, at::kGpsDay + 4, 2);
  const std::string_view month = Field(data, at::kGpsDay + 2, 2);
  const std::string_view day = Field(data, at::kGpsDay, 2);
  const std::string_view hour = Field(data, at::kGpsHour, 2);
  const std::string_view minute = Field(data, at::kGpsHour + 2, 2);
  const std::string_view second = Field(data, at::kGpsHour + 4, 2);
  work.Format(kGpsTs, "<GPS_TS>%.*s%.*s-%.*s-%.*sT%.*s:%.*s:%.*sZ</GPS_TS>", Width(century), century.data(),
              Width(year), year.data(), Width(month), month.data(), Width(day), day.data(), Width(hour), hour.data(),
              Width(minute), minute.data(), Width(second), second.data());

  work.Element(kSatelite, "<Satelite>%.*s</Satelite>", Field(data, at::kSatellites, 4));

  static const char* const kSpeedFormats[5] = {"<Speed id=\"1\">%.*s</Speed>", "<Speed id=\"2\">%.*s</Speed>",
                                               "<Speed id=\"3\">%.*s</Speed>", "<Speed id=\"4\">%.*s</Speed>",
                                               "<Speed id=\"5\">%.*s</Speed>"};
  for (int i = 0; i < 5; ++i) {
    const std::string_view speed = Field(data, at::kSpeeds + 4 * static_cast<uint32_t>(i), 4);
    work.Element(kSpeed1 + i, kSpeedFormats[i], speed);
    if (record != nullptr) CopyDisplayText(record->speed[i], size, speed);
  }

  work.Element(kTimeSync, "<TimeSync>%.*s</TimeSync>", timeSync);
  work.Element(kRStat, "<R-STAT>%.*s</R-STAT>", Field(data, at::kRStat, 8));

  for (uint32_t camera = 0; camera < 5; ++camera) {
    const unsigned char* ip = data + at::kCamIp + 4 * camera;
    const unsigned char* mac = data + at::kCamMac + 8 * camera;
    work.Format(static_cast<int>(kCamStat1 + camera),
                "<CAM-STAT c%u=\"%d\" ip=\"%d.%d.%d.%d\" mac=\"%02x:%02x:%02x:%02x:%02x:%02x\"/>", camera + 1,
                data[at::kCamStatus + camera], ip[0], ip[1], ip[2], ip[3], mac[0], mac[1], mac[2], mac[3], mac[4],
                mac[5]);
  }

  work.Format(kMicStat, "<MIC-STAT a1=\"%d\" a2=\"%d\" a3=\"%d\"/>", data[at::kMicStatus], data[at::kMicStatus + 1],
              data[at::kMicStatus + 2]);
  const unsigned char* mute = data + at::kMute;
  work.Format(kAMute, "<A-Mute c2=\"%d\" c3=\"%d\" c4=\"%d\" c5=\"%d\" a1=\"%d\" a2=\"%d\" a3=\"%d\"/>", mute[0],
              mute[1], mute[2], mute[3], mute[4], mute[5], mute[6]);

  work.Element(kTemp1, "<TEMP id=\"1\">%.*s</TEMP>", Field(data, at::kTemps, 8));
  work.Element(kTemp2, "<TEMP id=\"2\">%.*s</TEMP>", Field(data, at::kTemps + 8, 8));

  const uint32_t composed = compose_index_text(reinterpret_cast<char*>(aux), auxLength, work.Record());
  constexpr uint32_t kMax = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(composed < kMax ? composed : kMax);
}

}  // namespace plover
