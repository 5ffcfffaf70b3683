// Exchange records whose leading text pointers each own a 64-byte buffer,
// pre-filled with a marker so that untouched buffers can be told apart.
#ifndef PLOVER_TESTS_ENGINE_SETTINGSRECORD_H
#define PLOVER_TESTS_ENGINE_SETTINGSRECORD_H

#include <cstring>
#include <string>
#include <vector>

#include "PloverMetaParser.h"

namespace plover::test {

// `Record` starts with `Slots` character pointers without gaps.
template <typename Record, size_t Slots>
struct MarkedRecord {
  static constexpr size_t kSlots = Slots;
  static constexpr size_t kSize = 64;
  Record record{};
  std::vector<char> storage;
  MarkedRecord() : storage(kSlots * kSize) {
    char** slots = reinterpret_cast<char**>(&record);
    for (size_t i = 0; i < kSlots; ++i) {
      slots[i] = &storage[i * kSize];
      std::strcpy(slots[i], "untouched");
    }
  }
  MarkedRecord(const MarkedRecord&) = delete;
  MarkedRecord& operator=(const MarkedRecord&) = delete;
  // Slot i in pointer order.
  std::string Slot(size_t i) const { return reinterpret_cast<char* const*>(&record)[i]; }
};

using SettingsRecord = MarkedRecord<_SF_INFO_OSD, 139>;
using SampleRecord = MarkedRecord<_SP_INFO_OSD, 11>;
using LoginRecordOut = MarkedRecord<_SLOGIN_INFO_OSD, 14>;

}  // namespace plover::test

#endif
