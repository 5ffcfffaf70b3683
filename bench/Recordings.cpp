#include "Recordings.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "ContainerWriter.h"
#include "TempDir.h"
#include "engine/DocumentSamples.h"  // from tests/

namespace plover::bench {
namespace {

// Sample i lies i / 10 seconds after 2016/02/29 10:00:00.
struct Clock {
  int hour, minute, second, millis;
  explicit Clock(int i) : hour(10 + i / 36000), minute(i / 600 % 60), second(i / 10 % 60), millis(i % 10 * 100) {}
};

std::string IndexElement(int i) {
  const Clock c(i);
  char buffer[1536];
  std::snprintf(
      buffer, sizeof buffer,
      "<Index no=\"%d\">\r\n<TS>2016/02/29 %02d:%02d:%02d.%03d</TS>\r\n<G-STAT>%024d</G-STAT>\r\n"
      "<GPS>\r\n<Latitude>N35.%06d</Latitude>\r\n<Longitude>E139.%06d</Longitude>\r\n"
      "<Altitude>40.5</Altitude>\r\n<Own>%d</Own>\r\n<GPS_TS>2016-02-29T%02d:%02d:%02dZ</GPS_TS>\r\n"
      "<Satelite>9</Satelite>\r\n</GPS>\r\n<Radar>\r\n<Speed id=\"1\">%d</Speed>\r\n<Speed id=\"2\">0</Speed>\r\n"
      "<Speed id=\"3\">0</Speed>\r\n<Speed id=\"4\">%d</Speed>\r\n<Speed id=\"5\">0</Speed>\r\n</Radar>\r\n"
      "<CAM-STAT c1=\"1\" ip=\"192.168.0.11\" mac=\"00:80:f0:01:02:01\" model=\"RB-TN61\"/>\r\n"
      "<CAM-STAT c2=\"1\" ip=\"192.168.0.12\" mac=\"00:80:f0:01:02:02\"/>\r\n"
      "<CAM-STAT c3=\"0\" ip=\"192.168.0.13\" mac=\"00:80:f0:01:02:03\"/>\r\n"
      "<CAM-STAT c4=\"0\" ip=\"192.168.0.14\" mac=\"00:80:f0:01:02:04\"/>\r\n"
      "<CAM-STAT c5=\"0\" ip=\"192.168.0.15\" mac=\"00:80:f0:01:02:05\"/>\r\n"
      "<MIC-STAT a1=\"1\" a2=\"0\" a3=\"0\"/>\r\n<TEMP id=\"1\">21.5</TEMP>\r\n<TEMP id=\"2\">35.0</TEMP>\r\n"
      "</Index>\r\n",
      i, c.hour, c.minute, c.second, c.millis, i % 70 == 0 ? 1 : 0, 100000 + i % 900000, 200000 + i % 800000,
      40 + i / 50 % 30, c.hour - 9, c.minute, c.second, 40 + i / 50 % 30, 50 + i / 70 % 20);
  return buffer;
}

std::string Mk2SampleText(int i) {
  const Clock c(i);
  char text[512];
  std::snprintf(text, sizeof text,
                "<TS>2016/02/29 %02d:%02d:%02d.%03d</TS>\r\n<G-STAT>%04X</G-STAT>\r\n"
                "<GPS><Latitude>N35.%06d</Latitude><Longitude>E139.%06d</Longitude><Own>%d</Own>"
                "<Speed>%d</Speed></GPS>\r\n<Radar><Own>%d</Own><Target>%d</Target></Radar>\r\n"
                "<Camera id=\"1\">1</Camera><Mic id=\"1\">0</Mic><Temp>41</Temp>",
                c.hour, c.minute, c.second, c.millis, i / 70 % 16, 100000 + i % 900000, 200000 + i % 800000,
                40 + i / 50 % 30, 40 + i / 50 % 30, 40 + i / 50 % 30, 50 + i / 70 % 20);
  return text;
}

const char* kMk2Info =
    "<F-Name>CAM1_20160229_100000.MP4</F-Name><TZoneInfo gmt=\"+09:00\"/>"
    "<Officers><Officer no=\"1\"><O-ID>1234</O-ID><First>Ann</First><Last>Cole</Last></Officer></Officers>"
    "<V-ID>CAR-9</V-ID><Agency>City</Agency><R-Speed><Unit>km/h</Unit></R-Speed>";

std::string Build(int samples) {
  const int minutes = samples / 600;
  std::string logins;
  for (int n = 0; n < DocumentLogins(samples); ++n) {
    char time[32];
    std::snprintf(time, sizeof time, "2016-02-29 %02d:%02d:00", 10 + n * 5 / 60, n * 5 % 60);
    logins += test::Login(time, "Officer" + std::to_string(n % 7)) + "\r\n";
  }
  std::string files;
  for (int m = 0; m < minutes; ++m) {
    for (int camera = 1; camera <= 2; ++camera) {
      char time[32];
      std::snprintf(time, sizeof time, "2016-02-29 %02d:%02d:00", 10 + m / 60, m % 60);
      char name[48];
      std::snprintf(name, sizeof name, "CAM%d_20160229_%02d%02d00.MP4", camera, 10 + m / 60, m % 60);
      files += test::File(std::to_string(camera), "v", name, time);
    }
  }
  std::string document = test::VInfo();
  document += test::FInfo(test::FullSettings("R15", "OFF") + test::LoginInfo(logins) + test::FileList(files));
  document.reserve(document.size() + static_cast<size_t>(samples) * 1000 + 32);
  document += "<P-Info>\r\n";
  for (int i = 0; i < samples; ++i) document += IndexElement(i);
  document += "</P-Info>\r\n";
  return document;
}

}  // namespace

int DocumentLogins(int samples) { return samples / 3000 > 0 ? samples / 3000 : 1; }
int DocumentFiles(int samples) { return samples / 600 * 2; }

const std::string& Document(int samples) {
  static std::map<int, std::unique_ptr<const std::string>> made;
  auto& slot = made[samples];
  if (!slot) slot = std::make_unique<const std::string>(Build(samples));
  return *slot;
}

std::string SampleTime(int i) {
  const Clock c(i);
  char text[32];
  std::snprintf(text, sizeof text, "2016/02/29 %02d:%02d:%02d.%03d", c.hour, c.minute, c.second, c.millis);
  return text;
}

// 2016-02-29 10:00:00 in JST is 01:00:00 UTC.
uint64_t SampleKey(int i) { return (uint64_t{1456707600} * 1000) + static_cast<uint64_t>(i) * 100; }

const FileRecording& Files(int samples) {
  static test::TempDir dir;
  static std::map<int, FileRecording> made;
  auto found = made.find(samples);
  if (found != made.end()) return found->second;

  std::vector<test::ContainerRecord> records;
  std::vector<std::pair<uint32_t, std::string>> texts;
  records.reserve(static_cast<size_t>(samples));
  texts.reserve(static_cast<size_t>(samples));
  for (int i = 0; i < samples; ++i) {
    std::string text = Mk2SampleText(i);
    records.push_back({static_cast<uint32_t>(i + 1), {{test::ContainerItem::kSample, text}}});
    texts.emplace_back(static_cast<uint32_t>(i + 1), std::move(text));
  }
  test::ContainerWriter writer;
  writer.AddFileInfo(kMk2Info);
  writer.AddData(records);
  const std::string container = writer.Finish();
  const std::string text = test::MakeTextFile(kMk2Info, texts);

  FileRecording recording;
  recording.container = dir.File("rec" + std::to_string(samples) + ".dat");
  recording.text = dir.File("rec" + std::to_string(samples) + ".xml");
  test::WriteFile(recording.container, container);
  test::WriteFile(recording.text, text);
  recording.containerSize = container.size();
  recording.textSize = text.size();
  return made.emplace(samples, std::move(recording)).first->second;
}

const std::vector<unsigned char>& BinaryRecords(int count) {
  static std::map<int, std::vector<unsigned char>> made;
  auto& bytes = made[count];
  if (!bytes.empty()) return bytes;
  bytes.assign(static_cast<size_t>(count) * kBinaryRecordSize, 0);
  for (int i = 0; i < count; ++i) {
    unsigned char* r = bytes.data() + static_cast<size_t>(i) * kBinaryRecordSize;
    auto put = [r](size_t offset, const std::string& text) { std::memcpy(r + offset, text.data(), text.size()); };
    put(8, SampleTime(i));
    put(40, "RS");
    put(48, i % 70 == 0 ? "000000000000000000000001" : "000000000000000000000000");
    for (int s = 0; s < 5; ++s) put(76 + 4 * static_cast<size_t>(s), std::to_string(40 + (i / 50 + s) % 30));
    put(96, "N35." + std::to_string(100000 + i % 900000));
    put(108, "E139." + std::to_string(200000 + i % 800000));
    put(124, "40.5");
    put(132, "12");
    put(136, "010000");
    put(144, "290216");
    put(152, "9");
    put(156, "20160229");
    put(188, "21.5");
    put(196, "35.0");
    const unsigned char cams[] = {1, 1, 0, 0, 0};
    std::memcpy(r + 204, cams, sizeof cams);
    const unsigned char ip[] = {192, 168, 0, 11};
    std::memcpy(r + 212, ip, sizeof ip);
    const unsigned char mac[] = {0, 128, 240, 1, 2, 1};
    std::memcpy(r + 232, mac, sizeof mac);
    const unsigned char mics[] = {1, 0, 0};
    std::memcpy(r + 272, mics, sizeof mics);
  }
  return bytes;
}

std::string CueKey(int millis) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", millis / 3600000 % 100, millis / 60000 % 60,
                millis / 1000 % 60, millis % 1000);
  return text;
}

const std::string& CaptionTrack() {
  static const std::string track = [] {
    std::string text = "WEBVTT\r\n\r\n";
    for (int i = 0; i < kCues; ++i) {
      text += std::to_string(i) + "\r\n" + CueKey(i * 2500) + " --> " + CueKey(i * 2500 + 2000) +
              " align:middle position:50% line:84%\r\n";
      for (int line = 0; line <= i % 3; ++line) text += "Speed " + std::to_string(40 + i % 30) + " km/h\r\n";
      text += "\r\n";
    }
    return text;
  }();
  return track;
}

}  // namespace plover::bench
