// A settings record whose 139 pointers each own a 64-byte buffer, pre-filled
// with a marker so that untouched buffers can be told apart.
#ifndef PLOVER_TESTS_ENGINE_SETTINGSRECORD_H
#define PLOVER_TESTS_ENGINE_SETTINGSRECORD_H

#include <cstring>
#include <string>
#include <vector>

#include "PloverMetaParser.h"

namespace plover::test {

struct SettingsRecord {
  static constexpr size_t kSlots = 139;
  static constexpr size_t kSize = 64;
  _SF_INFO_OSD record;
  std::vector<char> storage;
  SettingsRecord() : storage(kSlots * kSize) {
    char** slots = reinterpret_cast<char**>(&record);
    for (size_t i = 0; i < kSlots; ++i) {
      slots[i] = &storage[i * kSize];
      std::strcpy(slots[i], "untouched");
    }
  }
  // Slot i in pointer order; the record is 139 pointers without gaps.
  std::string Slot(size_t i) const { return reinterpret_cast<char* const*>(&record)[i]; }
};

}  // namespace plover::test

#endif
