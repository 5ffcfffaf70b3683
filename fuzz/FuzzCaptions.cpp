// A caption track, then lookups at times taken from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "PloverMetaParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string key = in.ConsumeRandomLengthString(16);
  std::string track = in.ConsumeRemainingBytesAsString();
  if (track.empty()) return 0;

  CMetaParser parser;
  auto* bytes = reinterpret_cast<unsigned char*>(track.data());
  parser.inputdata_VTT(bytes, static_cast<PMP_ULONG>(track.size()));
  _VTT_OSD_INFO record;
  const char* keys[] = {key.c_str(), "00:00:00.000", "00:00:01.500", "999:59:59.999"};
  for (const char* k : keys) parser.GetVTTData(k, &record);
  // A second track over the first; then clear and look up again.
  parser.inputdata_VTT(bytes, static_cast<PMP_ULONG>(track.size() / 2 + 1));
  parser.GetVTTData(key.c_str(), &record);
  parser.ClearVTTData();
  parser.GetVTTData(key.c_str(), &record);
  return 0;
}
