// Second-generation file intake (inputdata_file, both forms) of 10-minute,
// 1-hour and 10-hour recordings, beside reading the same files with plain
// read() calls; and the sample parsing alone, from memory.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Recordings.h"
#include "TimeZone.h"
#include "fileengine/MetaFileEngine.h"

namespace {

using namespace plover;
using namespace plover::bench;

void Rates(benchmark::State& state, uint64_t bytes, int samples) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * samples);
}

void Load(benchmark::State& state, int32_t form) {
  const int samples = static_cast<int>(state.range(0));
  const FileRecording& r = Files(samples);
  const std::string& path = form == MetaFileEngine::kContainerForm ? r.container : r.text;
  test::ScopedTimeZone zone(kZone);
  for (auto _ : state) {
    MetaFileEngine engine;
    if (!engine.load_file(path.c_str(), form)) state.SkipWithError("load failed");
    if (engine.samplesByFile.begin()->second.size() != static_cast<size_t>(samples)) {
      state.SkipWithError("samples lost");
    }
    benchmark::DoNotOptimize(engine.samplesByFile.size());
  }
  Rates(state, form == MetaFileEngine::kContainerForm ? r.containerSize : r.textSize, samples);
}

void BM_FileContainer(benchmark::State& state) { Load(state, MetaFileEngine::kContainerForm); }
void BM_FileText(benchmark::State& state) { Load(state, MetaFileEngine::kTextForm); }

// The floor: the file read once with read() calls of 1 MiB.
void PlainRead(benchmark::State& state, bool container) {
  const int samples = static_cast<int>(state.range(0));
  const FileRecording& r = Files(samples);
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    const int fd = ::open((container ? r.container : r.text).c_str(), O_RDONLY);
    while (::read(fd, buffer.data(), buffer.size()) > 0) benchmark::DoNotOptimize(buffer.data());
    ::close(fd);
  }
  Rates(state, container ? r.containerSize : r.textSize, samples);
}

void BM_FileContainerReadFloor(benchmark::State& state) { PlainRead(state, true); }
void BM_FileTextReadFloor(benchmark::State& state) { PlainRead(state, false); }

}  // namespace

#define PLOVER_FILE_SIZES(name, longIterations)                                   \
  BENCHMARK(name)->Arg(kTenMinutes)->MinTime(0.3)->Unit(benchmark::kMillisecond); \
  BENCHMARK(name)->Arg(kOneHour)->MinTime(0.5)->Unit(benchmark::kMillisecond);    \
  BENCHMARK(name)->Arg(kTenHours)->Iterations(longIterations)->Unit(benchmark::kMillisecond)

PLOVER_FILE_SIZES(BM_FileContainer, 3);
PLOVER_FILE_SIZES(BM_FileContainerReadFloor, 20);
PLOVER_FILE_SIZES(BM_FileText, 3);
PLOVER_FILE_SIZES(BM_FileTextReadFloor, 20);
