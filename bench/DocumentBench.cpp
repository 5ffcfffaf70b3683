// Document intake throughput and the latency of log-in and file-list queries.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "TimeZone.h"
#include "engine/DocumentIntake.h"
#include "engine/DocumentSamples.h"  // from tests/
#include "engine/FileList.h"
#include "engine/LoginInfo.h"
#include "engine/MetadataEngine.h"
#include "platform/PageAlloc.h"

namespace {

using namespace plover;

// `logins` log-ins; `distinctTimes` of them have their own time, the rest share
// one time (and are merged into one entry).
std::string LoginDocument(int logins, int distinctTimes) {
  std::string inner;
  inner.reserve(static_cast<size_t>(logins) * 260);
  for (int i = 0; i < logins; ++i) {
    const int second = i < distinctTimes ? i : distinctTimes;
    char time[20];
    std::snprintf(time, sizeof time, "2023-11-15 %02d:%02d:%02d", 8 + second / 3600, second / 60 % 60, second % 60);
    inner += test::Login(time, "Officer" + std::to_string(i)) + "\r\n";
  }
  return test::FInfo(test::FullSettings() + test::LoginInfo(inner));
}

std::string FileDocument(int files) {
  std::string inner;
  for (int i = 0; i < files; ++i) {
    char time[20];
    std::snprintf(time, sizeof time, "2023-11-%02d %02d:%02d:%02d", 1 + i / 86400, i / 3600 % 24, i / 60 % 60, i % 60);
    const char* types[] = {"v", "a", "x", "w"};
    inner += test::File(std::to_string(1 + i % 5), types[i % 4], "file" + std::to_string(i) + ".mp4", time);
  }
  return test::FInfo(test::FileList(inner));
}

void Intake(benchmark::State& state, const std::string& doc) {
  test::ScopedTimeZone utc("UTC0");
  for (auto _ : state) {
    MetadataEngine engine;
    benchmark::DoNotOptimize(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), "doc.xml"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}

// The argument is the number of log-ins or files; twice the count should
// take twice the time.
void BM_IntakeDistinctLogins(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Intake(state, LoginDocument(n, n));
}
void BM_IntakeMergedLogins(benchmark::State& state) {
  Intake(state, LoginDocument(static_cast<int>(state.range(0)), 1));
}
void BM_IntakeFileList(benchmark::State& state) { Intake(state, FileDocument(static_cast<int>(state.range(0)))); }

void BM_LoginQuery(benchmark::State& state) {
  test::ScopedTimeZone utc("UTC0");
  MetadataEngine engine;
  const std::string doc = LoginDocument(10000, 10000);
  inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), "doc.xml");
  char buffers[13][64];
  _SLOGIN_INFO_OSD record{};
  char** texts = reinterpret_cast<char**>(&record);
  for (int i = 0; i < 13; ++i) texts[i] = buffers[i];
  uint64_t time = 1700035200;
  for (auto _ : state) {
    benchmark::DoNotOptimize(outdata_loginInfo_osd(engine, time + 1234, 1, &record));
    time = (time + 7) % 10000 + 1700035200;
  }
}

void BM_GetAv3File(benchmark::State& state) {
  test::ScopedTimeZone utc("UTC0");
  MetadataEngine engine;
  const std::string doc = FileDocument(5000);
  inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), "doc.xml");
  for (auto _ : state) {
    _META_VO_SFILELIST* list = nullptr;
    int32_t count = 0;
    benchmark::DoNotOptimize(GetAv3File(engine, 0, 1, &list, &count, "doc.xml"));
    platform::ReleasePages(list);
  }
}

}  // namespace

BENCHMARK(BM_IntakeDistinctLogins)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntakeMergedLogins)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntakeFileList)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoginQuery);
BENCHMARK(BM_GetAv3File)->Unit(benchmark::kMicrosecond);
