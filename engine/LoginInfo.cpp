#include "engine/LoginInfo.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented.
bool parse_loginInfo(MetadataEngine&, const char*, uint32_t, const char*) { return false; }

bool outdata_loginInfo_osd(const MetadataEngine&, uint64_t, int32_t, _SLOGIN_INFO_OSD*) { return false; }

}  // namespace plover
