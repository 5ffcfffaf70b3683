#include "engine/DocumentQueries.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented.
bool outdata_finfo_osd(const MetadataEngine&, const char*, _SF_INFO_OSD*) { return false; }

int32_t outdata_str(const MetadataEngine&, const char*, int32_t, unsigned char*, uint32_t) { return 0; }

int32_t GetModelTypeVinfo(const MetadataEngine&, const char*, const char*) { return -1; }

}  // namespace plover
