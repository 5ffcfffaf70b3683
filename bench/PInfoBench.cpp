// Sample parsing and sample queries on a generated one-hour section at 10
// samples per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "TimeZone.h"
#include "engine/MetadataEngine.h"
#include "engine/PInfoParser.h"
#include "engine/PInfoQueries.h"

namespace {

constexpr int kSamples = 36000;

// Every Index holds a full set of elements, as a recorder writes them.
const std::string& Section() {
  static const std::string section = [] {
    std::string text = "<P-Info>\r\n";
    char buffer[1024];
    for (int i = 0; i < kSamples; ++i) {
      const int tenths = i % 10, second = i / 10 % 60, minute = i / 600;
      std::snprintf(
          buffer, sizeof buffer,
          "<Index no=\"%d\">\r\n<TS>2016/02/29 10:%02d:%02d.%03d</TS>\r\n<G-STAT>%024d</G-STAT>\r\n"
          "<GPS>\r\n<Latitude>N35.%06d</Latitude>\r\n<Longitude>E139.%06d</Longitude>\r\n"
          "<Altitude>40.5</Altitude>\r\n<Own>%d</Own>\r\n<GPS_TS>2016-02-29T01:%02d:%02dZ</GPS_TS>\r\n"
          "<Satelite>9</Satelite>\r\n</GPS>\r\n<Radar>\r\n<Speed id=\"1\">%d</Speed>\r\n<Speed id=\"2\">0</Speed>\r\n"
          "<Speed id=\"3\">0</Speed>\r\n<Speed id=\"4\">%d</Speed>\r\n<Speed id=\"5\">0</Speed>\r\n</Radar>\r\n"
          "<CAM-STAT c1=\"1\" ip=\"192.168.0.11\" mac=\"00:80:f0:01:02:01\" model=\"RB-TN61\"/>\r\n"
          "<CAM-STAT c2=\"1\" ip=\"192.168.0.12\" mac=\"00:80:f0:01:02:02\"/>\r\n"
          "<CAM-STAT c3=\"0\" ip=\"192.168.0.13\" mac=\"00:80:f0:01:02:03\"/>\r\n"
          "<CAM-STAT c4=\"0\" ip=\"192.168.0.14\" mac=\"00:80:f0:01:02:04\"/>\r\n"
          "<CAM-STAT c5=\"0\" ip=\"192.168.0.15\" mac=\"00:80:f0:01:02:05\"/>\r\n"
          "<MIC-STAT a1=\"1\" a2=\"0\" a3=\"0\"/>\r\n<TEMP id=\"1\">21.5</TEMP>\r\n<TEMP id=\"2\">35.0</TEMP>\r\n"
          "</Index>\r\n",
          i, minute, second, tenths * 100, i % 7 == 0 ? 1 : 0, 100000 + i, 200000 + i, 40 + i % 30, minute, second,
          40 + i % 30, 50 + i % 20);
      text += buffer;
    }
    text += "</P-Info>";
    return text;
  }();
  return section;
}

void BM_ParsePInfo(benchmark::State& state) {
  plover::test::ScopedTimeZone zone("JST-9");
  const std::string& section = Section();
  for (auto _ : state) {
    plover::MetadataEngine engine;
    benchmark::DoNotOptimize(
        plover::parse_pinfo(engine, "rec.xml", section.data(), static_cast<uint32_t>(section.size()), 0, 0));
    if (engine.samples.size() != kSamples) state.SkipWithError("samples lost");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(section.size()));
  state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_ParsePInfo)->Unit(benchmark::kMillisecond);

// Queries for times spread over the hour, between samples.
class Queries {
 public:
  Queries() : zone_("JST-9") {
    const std::string& section = Section();
    plover::parse_pinfo(engine, "rec.xml", section.data(), static_cast<uint32_t>(section.size()), 0, 0);
    first = engine.samples.begin()->first;
  }
  plover::test::ScopedTimeZone zone_;
  plover::MetadataEngine engine;
  uint64_t first = 0;
};

void BM_OutdataPInfoOsd(benchmark::State& state) {
  static Queries queries;
  char bufs[11][64];
  _SP_INFO_OSD record{};
  char** fields[] = {&record.latitude, &record.longitude, &record.own,      &record.speed[0],
                     &record.speed[1], &record.speed[2],  &record.speed[3], &record.speed[4],
                     &record.gStat,    &record.ts,        &record.fileName};
  for (int i = 0; i < 11; ++i) *fields[i] = bufs[i];
  uint64_t step = 0;
  for (auto _ : state) {
    const uint64_t time = queries.first + (step++ * 7919) % 3600000 + 50;
    benchmark::DoNotOptimize(plover::outdata_pinfo_osd(queries.engine, time, static_cast<int32_t>(step & 1), &record));
  }
}
BENCHMARK(BM_OutdataPInfoOsd);

void BM_OutdataNum(benchmark::State& state) {
  static Queries queries;
  unsigned char buffer[2048];
  PMP_UINT64 found = 0;
  PMP_LONG count = 0;
  uint64_t step = 0;
  for (auto _ : state) {
    const uint64_t time = queries.first + (step++ * 7919) % 3600000 + 50;
    benchmark::DoNotOptimize(plover::outdata_num(queries.engine, time, 0, static_cast<int32_t>(step & 1), buffer,
                                                 sizeof buffer, &found, &count));
  }
}
BENCHMARK(BM_OutdataNum);

}  // namespace
