#include "engine/PInfoQueries.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented.
bool outdata_pinfo_osd(const MetadataEngine&, uint64_t, int32_t, _SP_INFO_OSD*) { return false; }

int32_t outdata_num(const MetadataEngine&, uint64_t, int32_t, int32_t, unsigned char*, uint32_t, PMP_UINT64*,
                    PMP_LONG*) {
  return 0;
}

}  // namespace plover
