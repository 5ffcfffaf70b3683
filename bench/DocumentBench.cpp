// Document intake (inputdata_xml) of 10-minute, 1-hour and 10-hour
// recordings, beside a DOM-parsing application and a plain copy of the bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "DomPeer.h"
#include "Recordings.h"
#include "TimeZone.h"
#include "engine/DocumentIntake.h"
#include "engine/MetadataEngine.h"

namespace {

using namespace plover;
using namespace plover::bench;

void Rates(benchmark::State& state, size_t bytes, int samples) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * samples);
}

void BM_Xml(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const std::string& doc = Document(samples);
  test::ScopedTimeZone zone(kZone);
  for (auto _ : state) {
    auto engine = std::make_unique<MetadataEngine>();
    inputdata_xml(*engine, doc.data(), static_cast<uint32_t>(doc.size()), "rec.xml");
    benchmark::DoNotOptimize(engine.get());
    state.PauseTiming();  // the intake is timed, not the release of what it stored
    if (engine->samples.size() != static_cast<size_t>(samples)) state.SkipWithError("samples lost");
    engine.reset();
    state.ResumeTiming();
  }
  Rates(state, doc.size(), samples);
}

void BM_XmlDomPeer(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const std::string& doc = Document(samples);
  test::ScopedTimeZone zone(kZone);
  for (auto _ : state) {
    auto store = std::make_unique<PeerStore>();
    PeerIntake(*store, doc.data(), doc.size(), "rec.xml");
    benchmark::DoNotOptimize(store.get());
    state.PauseTiming();
    if (store->samples.size() != static_cast<size_t>(samples)) state.SkipWithError("peer lost samples");
    store.reset();
    state.ResumeTiming();
  }
  Rates(state, doc.size(), samples);
}

// The floor: the bytes copied once, as the store's copy of the document is.
void BM_XmlCopyFloor(benchmark::State& state) {
  const int samples = static_cast<int>(state.range(0));
  const std::string& doc = Document(samples);
  for (auto _ : state) {
    std::unique_ptr<char[]> copy(new char[doc.size()]);
    std::memcpy(copy.get(), doc.data(), doc.size());
    benchmark::DoNotOptimize(copy.get());
    state.PauseTiming();
    copy.reset();
    state.ResumeTiming();
  }
  Rates(state, doc.size(), samples);
}

}  // namespace

// The 10-hour document (about 300 MB) runs a fixed few iterations; the
// shorter ones are repeated three times (run with
// --benchmark_enable_random_interleaving to spread the load of a busy
// machine over both sides) and reported by their median.
#define PLOVER_DOCUMENT_SIZES(name, longIterations)                                               \
  BENCHMARK(name)->Arg(kTenMinutes)->MinTime(0.3)->Repetitions(3)->Unit(benchmark::kMillisecond); \
  BENCHMARK(name)->Arg(kOneHour)->MinTime(0.5)->Repetitions(3)->Unit(benchmark::kMillisecond);    \
  BENCHMARK(name)->Arg(kTenHours)->Iterations(longIterations)->Unit(benchmark::kMillisecond)

PLOVER_DOCUMENT_SIZES(BM_Xml, 3);
PLOVER_DOCUMENT_SIZES(BM_XmlDomPeer, 2);
PLOVER_DOCUMENT_SIZES(BM_XmlCopyFloor, 10);
