// The scanner's operations directly on arbitrary ranges.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "scan/Scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plover::scan;
  static const char* const kNames[] = {"A", "Index", "OSD id=\"1\"", "TS", "P-Info", "Login", "File", "GPS", "x y"};
  static const char* const kPatterns[] = {"id=\"", "model=\"", "=\"", "\""};
  FuzzedDataProvider in(data, size);
  const char* name = kNames[in.ConsumeIntegralInRange<size_t>(0, std::size(kNames) - 1)];
  const char* pattern = kPatterns[in.ConsumeIntegralInRange<size_t>(0, std::size(kPatterns) - 1)];
  const std::string text = in.ConsumeRemainingBytesAsString();
  const auto length = static_cast<uint32_t>(text.size());
  // Every operation gets a range of exactly the input's size (a fresh heap
  // copy, so that reading one byte past it is caught).
  const std::string range(text);

  int32_t elementLength = 0;
  const char* element = FindElement(range.data(), static_cast<int32_t>(length), name, &elementLength);
  if (element != nullptr) {
    uint32_t contentLength = 0;
    GetElementContent(element, static_cast<uint32_t>(elementLength), name, &contentLength);
    CopyElementContent(element, static_cast<uint32_t>(elementLength), name);
    GetTagAttribute(element, static_cast<uint32_t>(elementLength), pattern);
  }
  uint32_t contentLength = 0;
  GetElementContent(range.data(), length, name, &contentLength);
  GetElementLength(range.data(), static_cast<int32_t>(length));
  GetTagAttribute(range.data(), length, pattern);
  FindAttributeText(range.data(), length, pattern);
  if (length >= 23) ParseDateTime(range.data(), true);
  return 0;
}
