// A metadata document handed in from memory, then every query on what was
// stored, with times, selectors, names and buffer sizes taken from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "PloverMetaParser.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const unsigned osdSize = in.ConsumeIntegralInRange<unsigned>(0, 80);
  const uint64_t time = in.ConsumeIntegral<uint64_t>();
  const long sel = in.ConsumeIntegralInRange<long>(0, 1);
  const uint32_t bufferSize = in.ConsumeIntegralInRange<uint32_t>(0, 4096);
  const std::string name = in.ConsumeRandomLengthString(64);
  std::string document = in.ConsumeRemainingBytesAsString();

  CMetaParser parser;
  parser.SetOsdInfoSize(osdSize);
  auto* bytes = reinterpret_cast<unsigned char*>(document.data());
  parser.inputdata_xml(bytes, static_cast<PMP_ULONG>(document.size()), "doc.xml");
  parser.inputdata_xml(bytes, static_cast<PMP_ULONG>(document.size()), name.c_str());  // same name twice merges

  std::vector<std::vector<char>> storage;
  _SP_INFO_OSD sample;
  plover::fuzz::AttachBuffers(&sample, 11 * sizeof(char*), osdSize, &storage);
  _SLOGIN_INFO_OSD login;
  plover::fuzz::AttachBuffers(&login, 14 * sizeof(char*), osdSize, &storage);
  _SF_INFO_OSD settings;
  plover::fuzz::AttachBuffers(&settings, sizeof settings, osdSize, &storage);

  const uint64_t times[] = {0, time, time / 1000, UINT64_MAX};
  std::vector<unsigned char> buffer(bufferSize + 1);
  for (uint64_t t : times) {
    for (long s = 0; s <= 1; ++s) {
      parser.outdata_pinfo_osd(t, s, &sample);
      parser.outdata_loginInfo_osd(t, s, &login);
      PMP_UINT64 found = 0;
      PMP_LONG count = 0;
      parser.outdata_num(t, 0, s, buffer.data(), bufferSize, &found, &count);
      parser.outdata_num(t, 1, s, buffer.data(), bufferSize, &found, &count);
      parser.outdata_num(t, sel, s, buffer.data(), bufferSize, nullptr, &count);
    }
  }
  const char* names[] = {"doc.xml", name.c_str()};
  for (const char* n : names) {
    parser.outdata_finfo_osd(n, &settings);
    for (long type = 0; type <= 5; ++type) parser.outdata_str(n, type, buffer.data(), bufferSize);
    parser.GetModelTypeVinfo(n, name.c_str());
    for (int dataType = -1; dataType <= 4; ++dataType) {
      for (int channel : {0, 1, 2, 100}) {
        _META_VO_SFILELIST* list = nullptr;
        int count = 0;
        if (parser.GetAv3File(dataType, channel, &list, &count, n) == 1) {
          for (int i = 0; i < count; ++i) {
            char out[256];
            parser.GetMetaFileName(list[i].fileName, out);
          }
          ReleaseAv3FileList(list);
        }
      }
    }
  }
  char out[256];
  parser.GetMetaFileName(name.c_str(), out);
  for (long i = 0; i <= 6; ++i) parser.GetCameraModelRate(i);

  CMetaParser copy;
  copy = parser;
  parser.clear_metadata();
  copy.outdata_pinfo_osd(time, sel, &sample);
  return 0;
}
