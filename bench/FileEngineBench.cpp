// Loading a one-hour 10 Hz recording (36 000 samples) in both file forms,
// beside reading the same file with plain reads.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ContainerWriter.h"
#include "TempDir.h"
#include "fileengine/MetaFileEngine.h"

namespace {

constexpr int kSamples = 36000;

std::string SampleText(int i) {
  char text[512];
  const int second = i / 10;
  std::snprintf(text, sizeof text,
                "<TS>2016/02/29 %02d:%02d:%02d.%03d</TS>\r\n<G-STAT>%04X</G-STAT>\r\n"
                "<GPS><Latitude>N35.%06d</Latitude><Longitude>E139.%06d</Longitude><Own>%d</Own>"
                "<Speed>%d</Speed></GPS>\r\n<Radar><Own>%d</Own><Target>%d</Target></Radar>\r\n"
                "<Camera id=\"1\">1</Camera><Mic id=\"1\">0</Mic><Temp>41</Temp>",
                10 + second / 3600, second / 60 % 60, second % 60, i % 10 * 100, i & 0xFFFF, i * 7 % 1000000,
                i * 13 % 1000000, i % 120, i % 120, i % 90, i % 150);
  return text;
}

const char* kInfo =
    "<F-Name>CAM1_20160229_100000.MP4</F-Name><TZoneInfo gmt=\"+09:00\"/>"
    "<Officers><Officer no=\"1\"><O-ID>1234</O-ID><First>Ann</First><Last>Cole</Last></Officer></Officers>"
    "<V-ID>CAR-9</V-ID><Agency>City</Agency><R-Speed><Unit>km/h</Unit></R-Speed>";

struct Recording {
  plover::test::TempDir dir;
  std::string container;
  std::string text;
  uint64_t containerSize = 0;
  uint64_t textSize = 0;

  Recording() {
    std::vector<plover::test::ContainerRecord> records;
    std::vector<std::pair<uint32_t, std::string>> samples;
    records.reserve(kSamples);
    for (int i = 0; i < kSamples; ++i) {
      std::string sample = SampleText(i);
      records.push_back({static_cast<uint32_t>(i + 1), {{plover::test::ContainerItem::kSample, sample}}});
      samples.emplace_back(static_cast<uint32_t>(i + 1), std::move(sample));
    }
    plover::test::ContainerWriter writer;
    writer.AddFileInfo(kInfo);
    writer.AddData(records);
    const std::string containerBytes = writer.Finish();
    const std::string textBytes = plover::test::MakeTextFile(kInfo, samples);
    container = dir.File("hour.dat");
    text = dir.File("hour.xml");
    plover::test::WriteFile(container, containerBytes);
    plover::test::WriteFile(text, textBytes);
    containerSize = containerBytes.size();
    textSize = textBytes.size();
  }
};

Recording& TheRecording() {
  static Recording recording;
  return recording;
}

void Load(benchmark::State& state, const std::string& path, uint64_t size, int32_t form) {
  for (auto _ : state) {
    plover::MetaFileEngine engine;
    if (!engine.load_file(path.c_str(), form)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(engine.samplesByFile.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_LoadContainer(benchmark::State& state) {
  Recording& r = TheRecording();
  Load(state, r.container, r.containerSize, 0);
}

void BM_LoadTextFile(benchmark::State& state) {
  Recording& r = TheRecording();
  Load(state, r.text, r.textSize, 1);
}

// The same files read whole with plain read() calls of 1 MiB.
void PlainRead(benchmark::State& state, const std::string& path, uint64_t size) {
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    ssize_t n = 0;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) benchmark::DoNotOptimize(buffer.data());
    ::close(fd);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void BM_PlainReadContainer(benchmark::State& state) {
  Recording& r = TheRecording();
  PlainRead(state, r.container, r.containerSize);
}

void BM_PlainReadTextFile(benchmark::State& state) {
  Recording& r = TheRecording();
  PlainRead(state, r.text, r.textSize);
}

// The sample parsing alone, from memory: what a load costs beyond reading.
void BM_ParseSamples(benchmark::State& state) {
  std::vector<std::string> texts;
  uint64_t bytes = 0;
  for (int i = 0; i < kSamples; ++i) {
    texts.push_back(SampleText(i));
    bytes += texts.back().size();
  }
  plover::MetaFileEngine engine;
  engine.currentPath = "hour.dat";
  for (auto _ : state) {
    plover::SampleTable table;
    for (int i = 0; i < kSamples; ++i) {
      const std::string& text = texts[static_cast<size_t>(i)];
      engine.parse_pinfo_mk2(text.data(), static_cast<uint32_t>(text.size()), static_cast<uint32_t>(i + 1), table);
    }
    benchmark::DoNotOptimize(table.size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

BENCHMARK(BM_LoadContainer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadContainer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseSamples)->Unit(benchmark::kMillisecond);

}  // namespace
