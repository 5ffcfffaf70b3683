// Peak heap memory of each intake against the size of its input, counted
// through operator new (counters peak_MB and peak_per_input_byte).  One
// iteration each: the figure does not depend on the clock.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "AllocationCounter.h"
#include "DomPeer.h"
#include "Recordings.h"
#include "TimeZone.h"
#include "captions/CaptionStore.h"
#include "engine/DocumentIntake.h"
#include "engine/MetadataEngine.h"
#include "fileengine/MetaFileEngine.h"

namespace {

using namespace plover;
using namespace plover::bench;

void Report(benchmark::State& state, size_t peak, uint64_t inputBytes) {
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["input_MB"] = static_cast<double>(inputBytes) / 1e6;
  state.counters["peak_per_input_byte"] = static_cast<double>(peak) / static_cast<double>(inputBytes);
}

void BM_MemoryXml(benchmark::State& state) {
  const std::string& doc = Document(static_cast<int>(state.range(0)));
  test::ScopedTimeZone zone(kZone);
  for (auto _ : state) {
    PeakScope scope;
    {
      auto engine = std::make_unique<MetadataEngine>();
      inputdata_xml(*engine, doc.data(), static_cast<uint32_t>(doc.size()), "rec.xml");
      benchmark::DoNotOptimize(engine.get());
    }
    Report(state, scope.peak(), doc.size());
  }
}

void BM_MemoryXmlDomPeer(benchmark::State& state) {
  const std::string& doc = Document(static_cast<int>(state.range(0)));
  test::ScopedTimeZone zone(kZone);
  for (auto _ : state) {
    PeakScope scope;
    {
      auto store = std::make_unique<PeerStore>();
      PeerIntake(*store, doc.data(), doc.size(), "rec.xml");
      benchmark::DoNotOptimize(store.get());
    }
    Report(state, scope.peak(), doc.size());
  }
}

void MemoryFile(benchmark::State& state, int32_t form) {
  const FileRecording& r = Files(static_cast<int>(state.range(0)));
  const bool container = form == MetaFileEngine::kContainerForm;
  test::ScopedTimeZone zone(kZone);
  for (auto _ : state) {
    PeakScope scope;
    {
      MetaFileEngine engine;
      engine.load_file((container ? r.container : r.text).c_str(), form);
      benchmark::DoNotOptimize(engine.samplesByFile.size());
    }
    Report(state, scope.peak(), container ? r.containerSize : r.textSize);
  }
}

void BM_MemoryFileContainer(benchmark::State& state) { MemoryFile(state, MetaFileEngine::kContainerForm); }
void BM_MemoryFileText(benchmark::State& state) { MemoryFile(state, MetaFileEngine::kTextForm); }

void BM_MemoryVtt(benchmark::State& state) {
  const std::string& track = CaptionTrack();
  for (auto _ : state) {
    PeakScope scope;
    {
      CaptionStore store;
      store.inputdata_VTT(reinterpret_cast<const unsigned char*>(track.data()), static_cast<uint32_t>(track.size()));
      benchmark::DoNotOptimize(store);
    }
    Report(state, scope.peak(), track.size());
  }
}

}  // namespace

#define PLOVER_MEMORY_SIZES(name) \
  BENCHMARK(name)->Arg(kTenMinutes)->Arg(kOneHour)->Arg(kTenHours)->Iterations(1)->Unit(benchmark::kMillisecond)

PLOVER_MEMORY_SIZES(BM_MemoryXml);
PLOVER_MEMORY_SIZES(BM_MemoryXmlDomPeer);
PLOVER_MEMORY_SIZES(BM_MemoryFileContainer);
PLOVER_MEMORY_SIZES(BM_MemoryFileText);
BENCHMARK(BM_MemoryVtt)->Iterations(1)->Unit(benchmark::kMillisecond);
