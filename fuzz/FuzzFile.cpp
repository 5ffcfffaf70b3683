// A second-generation file in either form, read from disk, then the queries.
// The input is written to a private temporary file first.  Every load is
// held to the work budget (fuzz/WorkBudget.h).  A structure-aware mutator
// keeps containers walkable while it points sizes, index tables, index
// entries and record numbers at each other, so that inputs reach the
// shapes where one part is named many times.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PloverMetaParser.h"
#include "fileengine/MetaFileEngine.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/WorkBudget.h"

namespace {

const std::string& TempPath() {
  static const std::string path = [] {
    char name[] = "/tmp/plover_fuzz_file_XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return std::string(name);
  }();
  return path;
}

// The options the target takes from the end of its input: form (1 byte),
// OSD size (1 byte) and position (4 bytes).  The file is what precedes them.
constexpr size_t kOptionBytes = 6;

uint32_t GetU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The places of a container that the mutator points at each other.
struct Places {
  std::vector<uint32_t> chunks;   // chunk offsets, in walk order
  std::vector<uint32_t> headers;  // HFPR chunk offsets
  std::vector<uint32_t> records;  // record offsets
};

Places Walk(const uint8_t* file, size_t size) {
  Places places;
  if (size < 128 + 12) return places;
  const uint64_t bound = size - 128;
  uint64_t at = 0;
  while (at + 12 <= bound && places.chunks.size() < 256) {
    const uint32_t chunkSize = GetU32(file + at + 4);
    places.chunks.push_back(static_cast<uint32_t>(at));
    if (std::memcmp(file + at, "HFPR", 4) == 0 && at + 88 <= size) places.headers.push_back(static_cast<uint32_t>(at));
    if (std::memcmp(file + at, "DHED", 4) == 0) {
      const uint64_t end = std::min<uint64_t>(at + chunkSize, size);
      for (uint64_t r = at + 24; r + 32 <= end && places.records.size() < 1024;) {
        places.records.push_back(static_cast<uint32_t>(r));
        const uint32_t recordSize = GetU32(file + r + 8);
        if (recordSize == 0) break;
        r += recordSize;
      }
    }
    if (chunkSize == 0) break;
    at += chunkSize;
  }
  return places;
}

template <typename T>
T Pick(const std::vector<T>& from, unsigned& seed) {
  seed = seed * 1103515245u + 12345u;
  return from[(seed >> 8) % from.size()];
}

// One structural change to the container in data[0, fileSize); false when
// the file has no place for it.
bool MutateContainer(uint8_t* data, size_t fileSize, unsigned seed) {
  const Places places = Walk(data, fileSize);
  if (places.chunks.empty()) return false;
  seed = seed * 1103515245u + 12345u;
  switch ((seed >> 8) % 4) {
    case 0: {  // a header names the index table of another header (or its own)
      if (places.headers.empty()) return false;
      const uint32_t header = Pick(places.headers, seed);
      const uint32_t other = Pick(places.headers, seed);
      PutU32(data + header + 80, GetU32(data + other + 80));
      return true;
    }
    case 1: {  // a record takes the index number of another record
      if (places.records.empty()) return false;
      const uint32_t record = Pick(places.records, seed);
      PutU32(data + record + 4, GetU32(data + Pick(places.records, seed) + 4));
      return true;
    }
    case 2: {  // an index entry points at a record's first item
      if (places.headers.empty() || places.records.empty()) return false;
      const uint32_t table = GetU32(data + Pick(places.headers, seed) + 80);
      if (table == 0 || uint64_t{table} + 20 > fileSize) return false;
      const uint32_t count = GetU32(data + table + 16);
      if (count == 0 || uint64_t{table} + 20 + uint64_t{count} * 8 > fileSize) return false;
      seed = seed * 1103515245u + 12345u;
      const uint32_t entry = table + 20 + 8 * ((seed >> 8) % count);
      const uint32_t record = Pick(places.records, seed);
      uint32_t chunk = places.chunks.front();
      for (uint32_t c : places.chunks) {
        if (c <= record) chunk = c;
      }
      PutU32(data + entry, GetU32(data + record + 4));
      PutU32(data + entry + 4, record + 32 - chunk);
      return true;
    }
    default: {  // a chunk's size ends it where another chunk starts
      const uint32_t chunk = Pick(places.chunks, seed);
      const uint32_t next = Pick(places.chunks, seed);
      if (next <= chunk) return false;
      PutU32(data + chunk + 4, next - chunk);
      return true;
    }
  }
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  if (seed % 2 == 0 && size > kOptionBytes && data[size - 1] % 2 == 0) {  // form 0
    if (MutateContainer(data, size - kOptionBytes, seed / 2)) return size;
  }
  return LLVMFuzzerMutate(data, size, maxSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const long form = in.ConsumeIntegralInRange<long>(0, 1);
  const unsigned osdSize = in.ConsumeIntegralInRange<unsigned>(0, 80);
  const uint32_t position = in.ConsumeIntegral<uint32_t>();
  const std::vector<uint8_t> file = in.ConsumeRemainingBytes<uint8_t>();

  const std::string& path = TempPath();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return 0;
  if (!file.empty()) std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);

  CMetaParser parser;
  parser.SetOsdInfoSizeMk2(osdSize);
  parser.inputdata_file(path.c_str(), form);
  parser.inputdata_file(path.c_str(), form);  // a second load of the same path
  parser.inputdata_file(path.c_str(), 1 - form);

  std::vector<std::vector<char>> storage;
  _SF_INFO_OSD_MK2 info;
  plover::fuzz::AttachBuffers(&info, sizeof info, osdSize, &storage);
  _SP_INFO_OSD_MK2 sample;
  plover::fuzz::AttachBuffers(&sample, 8 * sizeof(char*), osdSize, &storage);
  parser.outdata_finfo_osd_mk2(path.c_str(), &info);
  for (uint32_t p : {0u, 1u, position, 0xFFFFFFFFu}) {
    parser.outdata_pinfo_osd_mk2(path.c_str(), p, 0, &sample);
    parser.outdata_pinfo_osd_mk2(path.c_str(), p, 1, &sample);
  }
  parser.clear_metadata();

  plover::MetaFileEngine engine;
  engine.load_file(path.c_str(), static_cast<int32_t>(form));
  if (!plover::fuzz::WithinWorkBudget(engine.bytesExamined, file.size())) {
    std::fprintf(stderr, "work amplification: %llu bytes examined for a file of %zu\n",
                 static_cast<unsigned long long>(engine.bytesExamined), file.size());
    std::abort();
  }
  return 0;
}
