// make_examples DIR: writes the example recording into DIR.
//
// A synthetic three-minute drive sampled once a second: it starts parked
// while the GPS finds its fix, drives east, turns north, runs with lights
// and siren, stops, and drives on north-west.  Two officers log in; three
// cameras record; five cameras have settings.  The same samples are written
// as a metadata document, as a second-generation text file and container,
// one of them as a binary sample record, and the OSD as a WebVTT track.
//
// Everything is integer arithmetic, so every platform writes the same bytes.
#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ContainerWriter.h"

namespace {

using plover::test::ContainerItem;
using plover::test::ContainerRecord;
using plover::test::ContainerWriter;
using plover::test::IndexEntry;

constexpr int kSamples = 180;
constexpr int kNoFixSamples = 3;  // the GPS has no fix for the first samples
// 2026-03-14 10:00:00, local time as the recorder writes it.
constexpr int kStartHour = 10;

struct Sample {
  int t;          // seconds since the start
  int64_t lat;    // micro-degrees, north positive
  int64_t lon;    // micro-degrees, east positive
  int own;        // km/h
  int speeds[5];  // km/h
  std::string gStat;
  int altitudeDm;  // decimetres
  int satellites;
};

std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

// The own speed in km/h at second t: a piecewise linear profile.
int SpeedAt(int t) {
  struct Point {
    int t, kmh;
  };
  static const Point kProfile[] = {{0, 0},    {4, 0},    {30, 50}, {70, 50}, {78, 20}, {86, 22},
                                   {100, 60}, {125, 80}, {140, 0}, {150, 0}, {179, 40}};
  for (size_t i = 1; i < sizeof kProfile / sizeof kProfile[0]; ++i) {
    if (t <= kProfile[i].t) {
      const Point& a = kProfile[i - 1];
      const Point& b = kProfile[i];
      return a.kmh + (b.kmh - a.kmh) * (t - a.t) / (b.t - a.t);
    }
  }
  return kProfile[sizeof kProfile / sizeof kProfile[0] - 1].kmh;
}

// Heading in steps of 15 degrees (0 north, 6 east, 21 north-west).
int HeadingStepAt(int t) {
  if (t < 70) return 6;
  if (t < 82) return 6 - (t - 70) / 2;  // the turn north
  if (t < 150) return 0;
  if (t < 156) return 24 - (t - 149);  // bearing left onto the north-west road
  return 21;
}

// Cosine and sine times 10000 of 15-degree steps.
const int kCos[24] = {10000,  9659,  8660,  7071,  5000,  2588,  0, -2588, -5000, -7071, -8660, -9659,
                      -10000, -9659, -8660, -7071, -5000, -2588, 0, 2588,  5000,  7071,  8660,  9659};
int Cos(int step) { return kCos[((step % 24) + 24) % 24]; }
int Sin(int step) { return Cos(step - 6); }

bool InputOn(int input, int t, int own, int previousOwn) {
  switch (input) {
    case 1:
      return t >= 95 && t < 160;  // light bar
    case 2:
      return t >= 100 && t < 131;  // siren
    case 3:
      return own < previousOwn;  // brake
    case 5:
      return t < 3;  // driver's door open
    case 8:
      return t >= 95;  // event recording
    default:
      return false;
  }
}

std::vector<Sample> Drive() {
  std::vector<Sample> samples;
  int64_t lat = 46948000;  // 46.948000 N
  int64_t lon = 7447400;   // 7.447400 E
  int64_t northMm = 0, eastMm = 0;
  int previousOwn = 0;
  int locked = 0;
  for (int t = 0; t < kSamples; ++t) {
    Sample s{};
    s.t = t;
    s.own = SpeedAt(t);
    // Move by the distance of the second before, along the heading.
    const int64_t mm = static_cast<int64_t>(previousOwn) * 2500 / 9;
    northMm += mm * Cos(HeadingStepAt(t)) / 10000;
    eastMm += mm * Sin(HeadingStepAt(t)) / 10000;
    s.lat = lat + northMm * 1000 / 111320;  // one micro-degree of latitude is 111.32 mm
    s.lon = lon + eastMm * 1000 / 76010;    // and of longitude, here, 76.01 mm
    // Radar: own speed as the radar measures it, the car ahead, the fastest
    // target while the lights run, a locked target, and the fifth unused.
    s.speeds[0] = s.own;
    s.speeds[1] = s.own == 0 ? 0 : s.own + 4 + (t % 7) - 3;
    s.speeds[2] = (t >= 95 && t < 140) ? s.own + 18 + (t % 5) : 0;
    if (t == 112) locked = s.speeds[2];
    s.speeds[3] = (t >= 112 && t < 140) ? locked : 0;
    s.speeds[4] = 0;
    for (int input = 1; input <= 24; ++input) s.gStat += InputOn(input, t, s.own, previousOwn) ? '1' : '0';
    s.altitudeDm = 5402 + static_cast<int>(northMm / 2000);
    s.satellites = t < kNoFixSamples ? 0 : 7 + (t / 40) % 3;
    samples.push_back(s);
    previousOwn = s.own;
  }
  return samples;
}

std::string Clock(int t) { return Format("%02d:%02d:%02d", kStartHour + t / 3600, t / 60 % 60, t % 60); }
std::string Ts(int t) { return "2026/03/14 " + Clock(t) + ".000"; }
bool HasFix(const Sample& s) { return s.t >= kNoFixSamples; }

// ddmm.mmmm with the hemisphere letter after (degrees of `width` digits).
std::string Nmea(int64_t micro, int width, char positive, char negative) {
  const int64_t a = micro < 0 ? -micro : micro;
  const int64_t minutes4 = (a % 1000000) * 6 / 10;  // minutes times 10000
  return Format("%0*lld%02lld.%04lld%c", width, static_cast<long long>(a / 1000000),
                static_cast<long long>(minutes4 / 10000), static_cast<long long>(minutes4 % 10000),
                micro < 0 ? negative : positive);
}

std::string Decimal(int64_t micro) {
  const int64_t a = micro < 0 ? -micro : micro;
  return Format("%lld.%06lld", static_cast<long long>(a / 1000000), static_cast<long long>(a % 1000000));
}

const char* const kCameraNames[5] = {"Front", "Cabin", "Rear", "Left", "Right"};

// The zone the recorder was set to: its rule in the document, its offset in
// the second-generation files.
struct Zone {
  const char* rule;
  const char* gmt;
};
constexpr Zone kUtc{"UTC0", "+00:00"};
constexpr Zone kWest{"EST5EDT,M3.2.0,M11.1.0", "-05:00"};

std::string DocumentSettings(const Zone& zone) {
  std::string s = "<CameraID>CAR-12</CameraID>\r\n";
  s += Format(
      "<TimeSettings><TimeZone><Rule>%s</Rule></TimeZone><Style type=\"24h\">YYYY/MM/DD</Style></TimeSettings>\r\n",
      zone.rule);
  s += "<StreamSettings>\r\n";
  static const char* const kResolution[5] = {"1920x1080", "1280x720", "1280x720", "640x480", "640x480"};
  static const char* const kBps[5] = {"8M", "4M", "4M", "2M", "2M"};
  static const char* const kFps[5] = {"30", "15", "30", "15", "15"};
  static const char* const kMode[5] = {"continuous", "event", "continuous", "off", "off"};
  for (int n = 1; n <= 5; ++n) {
    const int i = n - 1;
    s += Format("<CameraIn id=\"%d\"><Name>%s</Name></CameraIn>\r\n", n, kCameraNames[i]);
    s += Format("<OSD id=\"%d\" master=\"on\" date=\"on\" field=\"%s\" trigger=\"on\" pos=\"%s\">", n,
                n <= 3 ? "on" : "off", n == 1 ? "bottom" : "top");
    s += Format(
        "<OptionOSD id=\"1\" field-id=\"speed\" len=\"3\"/><OptionOSD id=\"2\" field-id=\"gps\" len=\"22\"/>"
        "<Separator mark=\"|\"/></OSD>\r\n");
    s += Format("<Aspect id=\"%d\">%s</Aspect>\r\n", n, n <= 3 ? "16:9" : "4:3");
    s += Format("<Recording id=\"%d\" mode=\"%s\" resolution=\"%s\" bps=\"%s\" fps=\"%s\" audio-bps=\"%s\"/>\r\n", n,
                kMode[i], kResolution[i], kBps[i], kFps[i], n <= 2 ? "128k" : "64k");
  }
  s += "</StreamSettings>\r\n<CameraSettings>";
  static const char* const kFov[5] = {"WIDE", "NORMAL", "WIDE", "NORMAL", "NORMAL"};
  for (int n = 1; n <= 5; ++n) s += Format("<CH ch=\"%d\"><FOV>%s</FOV></CH>", n, kFov[n - 1]);
  s += "</CameraSettings>\r\n<TriggerSettings sw=\"ON\">\r\n";
  static const char* const kIcons[8] = {"LIGHTS", "SIREN", "BRAKE", "AUX4", "DOOR", "AUX6", "AUX7", "EVENT"};
  for (int n = 1; n <= 16; ++n) {
    s += Format("<GPI id=\"%d\"><Ref-Trigger>%s</Ref-Trigger><Icon>%s</Icon></GPI>\r\n", n,
                n == 1 || n == 2 || n == 8 ? "REC" : "NONE", n <= 8 ? kIcons[n - 1] : Format("AUX%d", n).c_str());
  }
  s += "</TriggerSettings>\r\n<SpeedTriggerSettings sw=\"OFF\">";
  for (int n = 1; n <= 5; ++n) s += Format("<S-Trigger id=\"%d\"><Icon>S%d</Icon></S-Trigger>", n, n);
  s += "</SpeedTriggerSettings>\r\n<DeviceInformation><S-Unit>km/h</S-Unit><R-Speed>";
  static const char* const kSpeedTypes[5] = {"patrol", "target", "fastest", "locked", "spare"};
  for (int n = 1; n <= 5; ++n) s += Format("<Speed id=\"%d\" type=\"%s\"/>", n, kSpeedTypes[n - 1]);
  s += "</R-Speed></DeviceInformation>\r\n";
  return s;
}

std::string Officer(int id, const char* first, const char* middle, const char* last, const char* officerId) {
  std::string s = Format("<Officer id=\"%d\"><First>%s</First>", id, first);
  if (*middle != '\0') s += Format("<Middle>%s</Middle>", middle);
  return s + Format("<Last>%s</Last><O-ID>%s</O-ID></Officer>", last, officerId);
}

std::string LoginInfo() {
  std::string s = "<LoginInfo>\r\n";
  s += "<Login time=\"2026-03-14 09:58:12\">\r\n<Officers>" + Officer(1, "Ada", "M", "Okafor", "P-1042") +
       "</Officers>\r\n<Field id=\"1\">Shift B</Field><Field id=\"2\">Traffic 3</Field>\r\n</Login>\r\n";
  s += "<Login time=\"2026-03-14 10:01:05\">\r\n<Officers>" + Officer(1, "Ada", "M", "Okafor", "P-1042") +
       Officer(2, "Tomas", "", "Lindqvist", "P-2210") +
       "</Officers>\r\n<Field id=\"1\">Shift B</Field><Field id=\"2\">Traffic 3</Field>\r\n</Login>\r\n";
  return s + "</LoginInfo>\r\n";
}

std::string FileList() {
  std::string s = "<FileList>\r\n";
  for (int channel = 1; channel <= 3; ++channel) {
    for (int part = 0; part < 2; ++part) {
      const int t = part * 90;
      s += Format(
          "<File ch=\"%d\" dtype=\"v\"><F-Name>20260314_%02d%02d%02d_CH%d.mp4</F-Name>"
          "<RecST>2026-03-14 %s</RecST></File>\r\n",
          channel, kStartHour, t / 60, t % 60, channel, Clock(t).c_str());
    }
  }
  s += "<File ch=\"1\" dtype=\"a\"><F-Name>20260314_100000_MIC1.m4a</F-Name><RecST>2026-03-14 10:00:00</RecST>"
       "</File>\r\n";
  return s + "</FileList>\r\n";
}

std::string Document(const std::vector<Sample>& samples, const Zone& zone) {
  std::string d = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<MetaData>\r\n";
  d += "<V-Info>\r\n<FirmwareVersion>2.4.1</FirmwareVersion>\r\n<Recorder model=\"VR-5200\" serial=\"VR52-004417\"/>"
       "\r\n<Slot1 sd=\"64GB\" serial=\"SD-88A1F0\" fwversion=\"1.07\"/>\r\n<MACAddress wlan0=\"02:00:5e:10:22:31\"/>"
       "\r\n</V-Info>\r\n";
  d += "<F-Info>\r\n" + DocumentSettings(zone) + LoginInfo() + FileList() + "</F-Info>\r\n<P-Info>\r\n";
  for (const Sample& s : samples) {
    d += Format("<Index no=\"%d\">\r\n<TS>%s</TS>\r\n<G-STAT>%s</G-STAT>\r\n<GPS>\r\n", s.t + 1, Ts(s.t).c_str(),
                s.gStat.c_str());
    if (HasFix(s)) {
      d += "<Latitude>" + Nmea(s.lat, 2, 'N', 'S') + "</Latitude>\r\n<Longitude>" + Nmea(s.lon, 3, 'E', 'W') +
           "</Longitude>\r\n";
    } else {
      d += "<Latitude>--</Latitude>\r\n<Longitude>--</Longitude>\r\n";
    }
    d += Format(
        "<Altitude>%d.%d</Altitude>\r\n<Own>%d</Own>\r\n<GPS_TS>2026-03-14T%sZ</GPS_TS>\r\n"
        "<Satelite>%d</Satelite>\r\n</GPS>\r\n<Radar>\r\n",
        s.altitudeDm / 10, s.altitudeDm % 10, s.own, Clock(s.t).c_str(), s.satellites);
    for (int i = 0; i < 5; ++i) d += Format("<Speed id=\"%d\">%d</Speed>\r\n", i + 1, s.speeds[i]);
    d += "</Radar>\r\n<TimeSync>GPS</TimeSync>\r\n<R-STAT>0000</R-STAT>\r\n";
    for (int c = 1; c <= 5; ++c) {
      d += Format("<CAM-STAT c%d=\"%d\" ip=\"192.168.10.%d\" mac=\"02:00:5e:10:22:%02x\"/>\r\n", c, c <= 3 ? 1 : 0,
                  10 + c, 0x40 + c);
    }
    d += "<MIC-STAT a1=\"1\" a2=\"1\" a3=\"0\"/>\r\n<A-Mute c2=\"0\" c3=\"0\" c4=\"1\" c5=\"1\" a1=\"0\" a2=\"0\" "
         "a3=\"1\"/>\r\n";
    d += Format("<TEMP id=\"1\">%d.%d</TEMP>\r\n<TEMP id=\"2\">24.0</TEMP>\r\n</Index>\r\n", 31 + s.t / 90,
                s.t / 10 % 10);
  }
  return d + "</P-Info>\r\n</MetaData>\r\n";
}

std::string Mk2FileInfo(const char* fileName, const Zone& zone) {
  std::string s = Format("<F-Name>%s</F-Name>\r\n<TZoneInfo gmt=\"%s\"/>\r\n<StreamInfo>", fileName, zone.gmt);
  for (int stream = 0; stream < 2; ++stream) {
    s += Format("<Stream id=\"%d\"><OSD date=\"on\" gpio=\"on\" src-area=\"%s\" style=\"1\" pos=\"%s\"/></Stream>",
                stream, stream == 0 ? "on" : "off", stream == 0 ? "bottom" : "top");
  }
  s += "</StreamInfo>\r\n<Shift><PTN>B</PTN></Shift>\r\n<Officers>";
  s += "<Officer no=\"1\"><O-ID>P-1042</O-ID><First>Ada</First><Middle>M</Middle><Last>Okafor</Last></Officer>";
  s += "<Officer no=\"2\"><O-ID>P-2210</O-ID><First>Tomas</First><Last>Lindqvist</Last></Officer></Officers>\r\n";
  s += "<V-ID>CAR-12</V-ID><Area>North</Area><UnitName>Traffic 3</UnitName><Agency>Plover County</Agency>\r\n";
  s += "<GPIO sw=\"on\"><ASN no=\"1\"><ICON sw=\"1\">LIGHTS</ICON></ASN><ASN no=\"2\"><ICON sw=\"1\">SIREN</ICON></ASN>"
       "<ASN no=\"3\"><ICON sw=\"1\">BRAKE</ICON></ASN><ASN no=\"5\"><ICON sw=\"0\">DOOR</ICON></ASN></GPIO>\r\n";
  return s + "<R-Speed><Unit>km/h</Unit></R-Speed>";
}

std::string Mk2SampleText(const Sample& s) {
  std::string latitude = "--", longitude = "--";
  if (HasFix(s)) {
    latitude = (s.lat < 0 ? "S" : "N") + Decimal(s.lat);
    longitude = (s.lon < 0 ? "W" : "E") + Decimal(s.lon);
  }
  return Format(
      "<TS>2026/03/14 %s</TS><G-STAT>%s</G-STAT><GPS><Latitude>%s</Latitude><Longitude>%s</Longitude>"
      "<Own>%d</Own></GPS><Radar><Own>%d</Own><Target>%d</Target></Radar>",
      Clock(s.t).c_str(), s.gStat.c_str(), latitude.c_str(), longitude.c_str(), s.own, s.speeds[0], s.speeds[1]);
}

std::string Mk2TextFile(const std::vector<Sample>& samples, const Zone& zone) {
  std::vector<std::pair<uint32_t, std::string>> texts;
  for (const Sample& s : samples) texts.emplace_back(static_cast<uint32_t>(s.t + 1), Mk2SampleText(s));
  return plover::test::MakeTextFile(Mk2FileInfo("20260314_100000_M2.txt", zone), texts);
}

// Header chunk with an index of every 30th record, the file information,
// and one data chunk whose records hold a sample item, a filler and (every
// tenth) an item of another kind that readers skip.
std::string Mk2Container(const std::vector<Sample>& samples, const Zone& zone) {
  std::vector<ContainerRecord> records;
  for (const Sample& s : samples) {
    std::vector<ContainerItem> items;
    items.emplace_back(ContainerItem::kSample, Mk2SampleText(s));
    items.emplace_back(ContainerItem::kFiller, std::string(8, '\0'));
    if (s.t % 10 == 0) items.emplace_back(7, Format("ACC %d %d %d", s.t % 3, -(s.t % 2), 981));
    records.emplace_back(static_cast<uint32_t>(s.t + 1), std::move(items));
  }
  const std::vector<uint32_t> offsets = ContainerWriter::FirstItemOffsets(records);
  std::vector<IndexEntry> index;
  for (size_t i = 0; i < records.size(); i += 30) index.push_back({records[i].indexNumber, offsets[i]});
  ContainerWriter writer;
  writer.AddIndex(index);
  writer.AddFileInfo(Mk2FileInfo("20260314_100000_M2.dat", zone));
  writer.AddData(records);
  return writer.Finish();
}

void Put(std::string& record, size_t offset, const std::string& text, size_t width) {
  record.replace(offset, std::min(text.size(), width), text.substr(0, width));
}

// The 284-byte binary form of one sample.
std::string BinaryRecord(const Sample& s) {
  std::string r(284, '\0');
  Put(r, 0, "PMPB\x01", 8);
  Put(r, 8, Ts(s.t), 32);
  Put(r, 40, "0000", 8);
  Put(r, 48, s.gStat, 28);
  for (int i = 0; i < 5; ++i) Put(r, 76 + 4 * static_cast<size_t>(i), std::to_string(s.speeds[i]), 4);
  Put(r, 96, Decimal(s.lat) + (s.lat < 0 ? "S" : "N"), 12);
  Put(r, 108, Decimal(s.lon) + (s.lon < 0 ? "W" : "E"), 16);
  Put(r, 124, Format("%d.%d", s.altitudeDm / 10, s.altitudeDm % 10), 8);
  Put(r, 132, std::to_string(s.own), 4);
  const std::string clock = Clock(s.t);
  Put(r, 136, clock.substr(0, 2), 2);
  Put(r, 138, clock.substr(3, 2), 2);
  Put(r, 140, clock.substr(6, 2), 2);
  Put(r, 144, "14", 2);
  Put(r, 146, "03", 2);
  Put(r, 148, "26", 2);
  Put(r, 152, std::to_string(s.satellites), 4);
  Put(r, 156, "2026-03-14 " + clock + " GPS", 32);
  Put(r, 188, Format("%d.%d", 31 + s.t / 90, s.t / 10 % 10), 8);
  Put(r, 196, "24.0", 8);
  for (int c = 0; c < 5; ++c) {
    const auto n = static_cast<size_t>(c);
    r[204 + n] = static_cast<char>(c < 3 ? 1 : 0);
    const unsigned char ip[4] = {192, 168, 10, static_cast<unsigned char>(11 + c)};
    for (size_t b = 0; b < 4; ++b) r[212 + 4 * n + b] = static_cast<char>(ip[b]);
    const unsigned char mac[6] = {0x02, 0x00, 0x5e, 0x10, 0x22, static_cast<unsigned char>(0x41 + c)};
    for (size_t b = 0; b < 6; ++b) r[232 + 8 * n + b] = static_cast<char>(mac[b]);
  }
  const unsigned char mic[3] = {1, 1, 0};
  for (size_t b = 0; b < 3; ++b) r[272 + b] = static_cast<char>(mic[b]);
  const unsigned char mute[7] = {0, 0, 1, 1, 0, 0, 1};
  for (size_t b = 0; b < 7; ++b) r[276 + b] = static_cast<char>(mute[b]);
  return r;
}

std::string PlayTime(int ms) {
  return Format("%02d:%02d:%02d.%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
}

// The OSD as the recorder's companion track writes it: one cue a second.
std::string Track(const std::vector<Sample>& samples) {
  std::string v = "WEBVTT\r\n\r\nNOTE synthetic OSD of the example recording 20260314_100000\r\n\r\n";
  for (const Sample& s : samples) {
    v += Format("%d\r\n%s --> %s align:start line:85%%\r\n", s.t + 1, PlayTime(s.t * 1000).c_str(),
                PlayTime(s.t * 1000 + 1000).c_str());
    v += "2026/03/14 " + Clock(s.t) + "  CAR-12\r\n";
    if (HasFix(s)) {
      v += Nmea(s.lat, 2, 'N', 'S') + " " + Nmea(s.lon, 3, 'E', 'W') + Format("  %d km/h\r\n", s.own);
    } else {
      v += Format("NO GPS  %d km/h\r\n", s.own);
    }
    v += Format("R %d/%d/%d/%d/%d  GPI %s\r\n\r\n", s.speeds[0], s.speeds[1], s.speeds[2], s.speeds[3], s.speeds[4],
                s.gStat.substr(0, 8).c_str());
  }
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_examples DIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "make_examples: cannot make %s\n", dir.string().c_str());
    return 1;
  }
  // The same drive once more by a recorder set to a zone west of UTC, in
  // the folder west/.
  std::filesystem::create_directories(dir / "west", error);
  const std::vector<Sample> samples = Drive();
  const std::pair<const char*, std::string> files[] = {
      {"20260314_100000.xml", Document(samples, kUtc)},
      {"20260314_100000_M2.txt", Mk2TextFile(samples, kUtc)},
      {"20260314_100000_M2.dat", Mk2Container(samples, kUtc)},
      {"20260314_100100.bin", BinaryRecord(samples[60])},
      {"20260314_100000.vtt", Track(samples)},
      {"west/20260314_100000.xml", Document(samples, kWest)},
      {"west/20260314_100000_M2.txt", Mk2TextFile(samples, kWest)},
      {"west/20260314_100000_M2.dat", Mk2Container(samples, kWest)},
  };
  for (const auto& [name, bytes] : files) {
    const std::string path = (dir / name).string();
    if (!plover::test::WriteFile(path, bytes)) {
      std::fprintf(stderr, "make_examples: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
  }
  return 0;
}
