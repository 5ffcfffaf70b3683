// The store behind second-generation metadata files read from disk: file
// information and sample tables per path.
#ifndef PLOVER_FILEENGINE_METAFILEENGINE_H
#define PLOVER_FILEENGINE_METAFILEENGINE_H

#include <cstdint>

#include "PloverMetaParser.h"

namespace plover {

class MetaFileEngine {
 public:
  static constexpr uint32_t kDefaultOsdInfoSize = 64;

  uint32_t osdInfoSizeMk2 = kDefaultOsdInfoSize;  // size of each caller text buffer

  // Forgets every file; the OSD info size stays.
  void clear_files();

  // Reads a file in form 0 (container) or 1 (text file).
  bool load_file(const char* path, int32_t option);

  bool finfo_osd_mk2(const char* fileName, _SF_INFO_OSD_MK2* record) const;
  bool pinfo_osd_mk2(const char* fileName, uint32_t position, int32_t sel, _SP_INFO_OSD_MK2* record) const;
};

}  // namespace plover

#endif
