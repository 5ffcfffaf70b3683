// The C++ interface beside the members it is built on: opening a recording
// (every sample read through CMetaParser into columns) per sample, the bytes
// it keeps per sample beside the library's own store, a sample at a time, and
// a pass over every sample.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "AllocationCounter.h"
#include "Recordings.h"
#include "TimeZone.h"
#include "plover/Recording.h"

namespace {

using namespace plover;
using namespace plover::bench;

OpenOptions InZone() { return {std::nullopt, TimeZone::Parse(kZone)}; }

void Counters(benchmark::State& state, int samples, size_t peak, size_t held) {
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["peak_bytes_per_sample"] = static_cast<double>(peak) / samples;
  state.counters["api_bytes_per_sample"] = static_cast<double>(held) / samples;
  state.counters["per_sample"] =
      benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Opening a document: the library's intake, every sample asked in order,
// the columns and the text pool.  peak_MB holds the library's store too.
void BM_RecordingOpenDocument(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const std::string& doc = Document(samples);
  test::ScopedTimeZone zone(kZone);
  size_t peak = 0, held = 0;
  for (auto _ : state) {
    PeakScope scope;
    {
      const Recording recording = Recording::FromBytes(doc, "rec.xml", InZone());
      held = recording.MemoryBytes();
      benchmark::DoNotOptimize(recording.samples().size());
    }
    peak = scope.peak();
  }
  Counters(state, samples, peak, held);
}

void BM_RecordingOpenContainer(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const FileRecording& files = Files(samples);
  test::ScopedTimeZone zone(kZone);
  size_t peak = 0, held = 0;
  for (auto _ : state) {
    PeakScope scope;
    {
      const Recording recording = Recording::Open(files.container, InZone());
      held = recording.MemoryBytes();
      benchmark::DoNotOptimize(recording.samples().size());
    }
    peak = scope.peak();
  }
  Counters(state, samples, peak, held);
}

const Recording& Opened(int samples) {
  static std::map<int, std::unique_ptr<Recording>> made;
  auto& recording = made[samples];
  if (!recording) {
    test::ScopedTimeZone zone(kZone);
    recording = std::make_unique<Recording>(Recording::FromBytes(Document(samples), "rec.xml", InZone()));
  }
  return *recording;
}

// The sample at a UTC instant, through the library's key (beside
// BM_PInfoOsd of QueryBench.cpp).
void BM_RecordingAt(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const Recording& recording = Opened(samples);
  const std::vector<int64_t>& utc = recording.samples().utcMs();
  test::ScopedTimeZone zone(kZone);
  uint64_t step = 0;
  for (auto _ : state) {
    ++step;
    const int64_t at = utc[step * 7919 % utc.size()] + 50;
    const std::optional<Sample> sample = recording.At(at, step & 1 ? Seek::kAtOrBefore : Seek::kAtOrAfter);
    if (!sample) state.SkipWithError("no sample");
    benchmark::DoNotOptimize(sample);
  }
}

// Every sample as a Sample value, in order.
void BM_RecordingEverySample(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const SampleTable& table = Opened(samples).samples();
  for (auto _ : state) {
    double sum = 0;
    for (size_t row = 0; row < table.size(); ++row) {
      const Sample s = table[row];
      sum += s.position ? s.position->latitude : 0;
      benchmark::DoNotOptimize(s);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["per_sample"] =
      benchmark::Counter(samples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_RecordingOpenDocument)
    ->Arg(kTenMinutes)
    ->Arg(kOneHour)
    ->Arg(kTenHours)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordingOpenContainer)->Arg(kOneHour)->Arg(kTenHours)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordingAt)->Arg(kOneHour)->Arg(kTenHours)->MinTime(0.3);
BENCHMARK(BM_RecordingEverySample)->Arg(kTenHours)->Unit(benchmark::kMillisecond);
