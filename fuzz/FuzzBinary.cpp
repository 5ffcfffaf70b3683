// One binary sample record decoded into its text and display fields.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <vector>

#include "PloverMetaParser.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned osdSize = in.ConsumeIntegralInRange<unsigned>(0, 80);
  const uint32_t auxSize = in.ConsumeIntegralInRange<uint32_t>(0, 2048);
  std::vector<unsigned char> record = in.ConsumeRemainingBytes<unsigned char>();
  if (record.empty()) record.push_back(0);

  CMetaParser parser;
  parser.SetOsdInfoSize(osdSize);
  std::vector<std::vector<char>> storage;
  _SP_INFO_OSD display;
  plover::fuzz::AttachBuffers(&display, 11 * sizeof(char*), osdSize, &storage);
  std::vector<unsigned char> aux(auxSize + 1);
  parser.inputdata_binary(record.data(), static_cast<PMP_ULONG>(record.size()), aux.data(), auxSize, &display);
  parser.inputdata_binary(record.data(), static_cast<PMP_ULONG>(record.size()), nullptr, auxSize, &display);
  return 0;
}
