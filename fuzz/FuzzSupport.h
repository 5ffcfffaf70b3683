// Helpers shared by the fuzz targets: display records whose every text
// pointer points to a buffer of the OSD info size.
#ifndef PLOVER_FUZZ_FUZZSUPPORT_H
#define PLOVER_FUZZ_FUZZSUPPORT_H

#include <cstddef>
#include <cstring>
#include <vector>

namespace plover::fuzz {

// Points every char* of `record` (a record made only of text pointers up to
// `pointerBytes`) to its own buffer of `size` bytes, kept in `storage`.
template <typename Record>
void AttachBuffers(Record* record, std::size_t pointerBytes, unsigned size, std::vector<std::vector<char>>* storage) {
  std::memset(record, 0, sizeof(Record));
  char** slots = reinterpret_cast<char**>(record);
  for (std::size_t i = 0; i < pointerBytes / sizeof(char*); ++i) {
    storage->emplace_back(size == 0 ? 1 : size, 'x');
    slots[i] = storage->back().data();
  }
}

}  // namespace plover::fuzz

#endif
