// Latency of the questions a viewer asks during playback: the sample, the
// composed sample text and the log-ins at a time, the second-generation
// sample at an index number, the caption at a play time, and the files a
// document lists.  Times are spread over the recording and fall between
// samples.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Recordings.h"
#include "TimeZone.h"
#include "captions/CaptionStore.h"
#include "engine/DocumentIntake.h"
#include "engine/FileList.h"
#include "engine/LoginInfo.h"
#include "engine/MetadataEngine.h"
#include "engine/PInfoQueries.h"
#include "fileengine/MetaFileEngine.h"
#include "platform/PageAlloc.h"

namespace {

using namespace plover;
using namespace plover::bench;

// One engine per recording length, filled once.
const MetadataEngine& Engine(int samples) {
  static std::map<int, std::unique_ptr<MetadataEngine>> made;
  auto& engine = made[samples];
  if (!engine) {
    test::ScopedTimeZone zone(kZone);
    engine = std::make_unique<MetadataEngine>();
    const std::string& doc = Document(samples);
    inputdata_xml(*engine, doc.data(), static_cast<uint32_t>(doc.size()), "rec.xml");
  }
  return *engine;
}

// Pseudo-random sample positions of a recording, 50 ms after a sample.
uint64_t TimeAt(int samples, uint64_t step) { return SampleKey(static_cast<int>(step * 7919 % samples)) + 50; }

void BM_PInfoOsd(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const MetadataEngine& engine = Engine(samples);
  char buffers[11][64];
  _SP_INFO_OSD record{};
  AttachSampleBuffers(record, buffers);
  uint64_t step = 0;
  for (auto _ : state) {
    ++step;
    if (!outdata_pinfo_osd(engine, TimeAt(samples, step), static_cast<int32_t>(step & 1), &record)) {
      state.SkipWithError("no sample");
    }
  }
}
BENCHMARK(BM_PInfoOsd)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3);

// The same question in playback order: one frame of 30 per second after the
// other, so neighbouring calls meet the same or the next sample.
void BM_PInfoOsdPlayback(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const MetadataEngine& engine = Engine(samples);
  char buffers[11][64];
  _SP_INFO_OSD record{};
  AttachSampleBuffers(record, buffers);
  const uint64_t frames = static_cast<uint64_t>(samples) * 3;
  uint64_t frame = 0;
  for (auto _ : state) {
    frame = frame + 1 < frames ? frame + 1 : 0;
    if (!outdata_pinfo_osd(engine, SampleKey(0) + frame * 100 / 3, 1, &record)) state.SkipWithError("no sample");
  }
}
BENCHMARK(BM_PInfoOsdPlayback)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3);

void BM_Num(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const MetadataEngine& engine = Engine(samples);
  unsigned char buffer[2048];
  PMP_UINT64 found = 0;
  PMP_LONG count = 0;
  uint64_t step = 0;
  for (auto _ : state) {
    ++step;
    benchmark::DoNotOptimize(outdata_num(engine, TimeAt(samples, step), 0, static_cast<int32_t>(step & 1), buffer,
                                         sizeof buffer, &found, &count));
  }
}
BENCHMARK(BM_Num)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3);

void BM_LoginOsd(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const MetadataEngine& engine = Engine(samples);
  char buffers[13][64];
  _SLOGIN_INFO_OSD record{};
  char** texts = reinterpret_cast<char**>(&record);
  for (int i = 0; i < 13; ++i) texts[i] = buffers[i];
  uint64_t step = 0;
  for (auto _ : state) {
    ++step;
    if (!outdata_loginInfo_osd(engine, TimeAt(samples, step) / 1000, 1, &record)) state.SkipWithError("no log-in");
  }
}
BENCHMARK(BM_LoginOsd)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3);

void BM_GetAv3File(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const MetadataEngine& engine = Engine(samples);
  for (auto _ : state) {
    _META_VO_SFILELIST* list = nullptr;
    int32_t count = 0;
    if (!GetAv3File(engine, 0, 1, &list, &count, "rec.xml") || count != DocumentFiles(samples) / 2) {
      state.SkipWithError("files missing");
    }
    platform::ReleasePages(list);
  }
  state.counters["files"] = DocumentFiles(samples) / 2;
}
BENCHMARK(BM_GetAv3File)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3)->Unit(benchmark::kMicrosecond);

void BM_PInfoOsdMk2(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  test::ScopedTimeZone zone(kZone);
  MetaFileEngine engine;
  const std::string& path = Files(samples).container;
  engine.load_file(path.c_str(), MetaFileEngine::kContainerForm);
  char buffers[8][64];
  _SP_INFO_OSD_MK2 record{};
  char** texts = reinterpret_cast<char**>(&record);
  for (int i = 0; i < 8; ++i) texts[i] = buffers[i];
  uint64_t step = 0;
  for (auto _ : state) {
    ++step;
    const auto position = static_cast<uint32_t>(step * 7919 % static_cast<uint64_t>(samples) + 1);
    if (!engine.pinfo_osd_mk2(path.c_str(), position, static_cast<int32_t>(step & 1), &record)) {
      state.SkipWithError("no sample");
    }
  }
}
BENCHMARK(BM_PInfoOsdMk2)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3);

void BM_VttData(benchmark::State& state) {
  CaptionStore store;
  const std::string& track = CaptionTrack();
  store.inputdata_VTT(reinterpret_cast<const unsigned char*>(track.data()), static_cast<uint32_t>(track.size()));
  std::vector<std::string> keys;
  for (int i = 0; i < 64; ++i) keys.push_back(CueKey((i * 7919 % kCues) * 2500 + 1000));
  auto record = std::make_unique<_VTT_OSD_INFO>();
  size_t next = 0;
  for (auto _ : state) {
    if (store.GetVTTData(keys[next++ % keys.size()].c_str(), record.get()) != 0) state.SkipWithError("no cue");
  }
}
BENCHMARK(BM_VttData)->MinTime(0.3);

}  // namespace
