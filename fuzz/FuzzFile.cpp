// A second-generation file in either form, read from disk, then the queries.
// The input is written to a private temporary file first.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PloverMetaParser.h"
#include "fuzz/FuzzSupport.h"

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

}  // namespace

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
  return 0;
}
