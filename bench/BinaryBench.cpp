// Binary sample intake (inputdata_binary): 10 minutes of 284-byte records
// turned into sample texts and display texts, beside a plain copy of them.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "Recordings.h"
#include "TimeZone.h"
#include "engine/BinaryDecoder.h"
#include "engine/MetadataEngine.h"

namespace {

using namespace plover::bench;

void Rates(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kTenMinutes);
}

void BM_Binary(benchmark::State& state) {
  const std::vector<unsigned char>& records = BinaryRecords(kTenMinutes);
  plover::test::ScopedTimeZone zone(kZone);
  plover::MetadataEngine engine;
  char buffers[11][64];
  _SP_INFO_OSD record{};
  AttachSampleBuffers(record, buffers);
  std::vector<unsigned char> text(2048);
  for (auto _ : state) {
    for (int i = 0; i < kTenMinutes; ++i) {
      const int32_t n = plover::decode_binary_pinfo(engine, records.data() + static_cast<size_t>(i) * kBinaryRecordSize,
                                                    kBinaryRecordSize, text.data(), 2048, &record);
      if (n <= 0) state.SkipWithError("record refused");
    }
    benchmark::DoNotOptimize(record.sampleTime);
  }
  Rates(state, records.size());
}
BENCHMARK(BM_Binary)->MinTime(0.5)->Unit(benchmark::kMillisecond);

void BM_BinaryCopyFloor(benchmark::State& state) {
  const std::vector<unsigned char>& records = BinaryRecords(kTenMinutes);
  std::vector<unsigned char> copy(records.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), records.data(), records.size());
    benchmark::DoNotOptimize(copy.data());
  }
  Rates(state, records.size());
}
BENCHMARK(BM_BinaryCopyFloor)->MinTime(0.3)->Unit(benchmark::kMicrosecond);

}  // namespace
