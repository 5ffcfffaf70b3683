#include "engine/PInfoQueries.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "engine/MetadataEngine.h"
#include "engine/PInfoParser.h"
#include "engine/SeekSample.h"
#include "scan/CopyOut.h"

namespace plover {
namespace {

// A sample number read as atol reads it (leading blanks and a sign accepted,
// stops at the first non-digit, 0 without digits), saturated to 32 bits as a
// 32-bit atol saturates.
PMP_LONG ReadSampleNumber(std::string_view text) {
  if (!Stored(text)) return 0;
  const long long value = std::strtoll(std::string(text).c_str(), nullptr, 10);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<PMP_LONG>(value);
}

int32_t LengthResult(size_t length) {
  constexpr size_t kMax = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  return static_cast<int32_t>(length < kMax ? length : kMax);
}

}  // namespace

bool outdata_pinfo_osd(const MetadataEngine& engine, uint64_t time, int32_t sel, _SP_INFO_OSD* record) {
  if (record == nullptr) return false;
  const auto found = SeekSample(engine.samples, time, sel);
  if (found == engine.samples.end()) return false;
  const PInfoSample& sample = found->second;
  // The first eleven text fields of the record, in the display block's order.
  char* const fields[kDisplayFieldCount] = {record->latitude, record->longitude, record->own,      record->speed[0],
                                            record->speed[1], record->speed[2],  record->speed[3], record->speed[4],
                                            record->gStat,    record->ts,        record->fileName};
  for (int field = 0; field < kDisplayFieldCount; ++field) {
    const DisplayText& text = sample.display[field];
    if (!text.present) continue;  // nothing stored: the caller's buffer stays as it was
    CopyDisplayText(fields[field], engine.osdInfoSize, text.text);
  }
  record->sampleTime = found->first;
  return true;
}

// A null foundTime is not written through: the rest of the answer is given
// as usual.
int32_t outdata_num(const MetadataEngine& engine, uint64_t time, int32_t selA, int32_t selB, unsigned char* buffer,
                    uint32_t bufferSize, PMP_UINT64* foundTime, PMP_LONG* count) {
  if (selA == 0) {
    const auto found = SeekSample(engine.samples, time, selB);
    if (found == engine.samples.end()) return 0;
    if (foundTime != nullptr) *foundTime = found->first;
    if (count != nullptr) *count = ReadSampleNumber(found->second.elements.slots[kIndexNo]);
    return static_cast<int32_t>(
        compose_index_text(reinterpret_cast<char*>(buffer), bufferSize, found->second.elements));
  }
  if (selA == 1) {
    // Log-ins are keyed by 32-bit seconds: only the low half of the time is
    // searched for, and a hit is exact only when the high half is 0.
    const auto key = static_cast<uint32_t>(time & 0xFFFFFFFFu);
    const bool exact = (time >> 32) == 0;
    const auto found = SeekSample(engine.logins, key, selB, exact);
    if (found == engine.logins.end()) return 0;
    const std::string& text = found->second.text;
    if (bufferSize < text.size()) return LengthResult(text.size());
    if (buffer != nullptr) std::memcpy(buffer, text.data(), text.size());
    if (foundTime != nullptr) *foundTime = found->first;
    if (count != nullptr) *count = 0;
    return LengthResult(text.size());
  }
  return 0;
}

}  // namespace plover
