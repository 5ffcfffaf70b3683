// Caption intake (inputdata_VTT) of a 10 000-cue track, beside a plain copy
// of its bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "Recordings.h"
#include "captions/CaptionStore.h"

namespace {

using namespace plover::bench;

void Rates(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCues);
}

void BM_Vtt(benchmark::State& state) {
  const std::string& track = CaptionTrack();
  for (auto _ : state) {
    plover::CaptionStore store;
    store.inputdata_VTT(reinterpret_cast<const unsigned char*>(track.data()), static_cast<uint32_t>(track.size()));
    benchmark::DoNotOptimize(store);
  }
  Rates(state, track.size());
}
BENCHMARK(BM_Vtt)->MinTime(0.5)->Unit(benchmark::kMillisecond);

void BM_VttCopyFloor(benchmark::State& state) {
  const std::string& track = CaptionTrack();
  for (auto _ : state) {
    std::unique_ptr<char[]> copy(new char[track.size()]);
    std::memcpy(copy.get(), track.data(), track.size());
    benchmark::DoNotOptimize(copy.get());
  }
  Rates(state, track.size());
}
BENCHMARK(BM_VttCopyFloor)->MinTime(0.3)->Unit(benchmark::kMillisecond);

}  // namespace
