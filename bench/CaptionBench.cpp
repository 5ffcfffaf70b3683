// Caption intake and lookup on a generated track of 10 000 cues.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "captions/CaptionStore.h"

namespace {

constexpr int kCues = 10000;

void FormatTime(char* out, size_t size, int millis) {
  std::snprintf(out, size, "%02d:%02d:%02d.%03d", millis / 3600000 % 100, millis / 60000 % 60, millis / 1000 % 60,
                millis % 1000);
}

// Cues of 2 s every 2.5 s, one to three lines each, with settings.
const std::string& Track() {
  static const std::string track = [] {
    std::string text = "WEBVTT\r\n\r\n";
    char start[32];
    char end[32];
    for (int i = 0; i < kCues; ++i) {
      FormatTime(start, sizeof start, i * 2500);
      FormatTime(end, sizeof end, i * 2500 + 2000);
      text += std::to_string(i) + "\r\n" + start + " --> " + end + " align:middle position:50% line:84%\r\n";
      for (int line = 0; line <= i % 3; ++line) text += "Caption line number " + std::to_string(line) + "\r\n";
      text += "\r\n";
    }
    return text;
  }();
  return track;
}

void BM_CaptionIntake(benchmark::State& state) {
  const std::string& track = Track();
  for (auto _ : state) {
    plover::CaptionStore store;
    store.inputdata_VTT(reinterpret_cast<const unsigned char*>(track.data()), static_cast<uint32_t>(track.size()));
    benchmark::DoNotOptimize(store);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(track.size()));
  state.counters["cues/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kCues, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CaptionIntake)->Unit(benchmark::kMillisecond);

void BM_CaptionLookup(benchmark::State& state) {
  plover::CaptionStore store;
  const std::string& track = Track();
  store.inputdata_VTT(reinterpret_cast<const unsigned char*>(track.data()), static_cast<uint32_t>(track.size()));
  char keys[64][32];
  for (int i = 0; i < 64; ++i) FormatTime(keys[i], sizeof keys[i], (i * 7919 % kCues) * 2500 + 1000);
  _VTT_OSD_INFO record = {};
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.GetVTTData(keys[next++ % 64], &record));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CaptionLookup);

}  // namespace
