// Officer log-ins: parsing LoginInfo and the query by time.
#ifndef PLOVER_ENGINE_LOGININFO_H
#define PLOVER_ENGINE_LOGININFO_H

#include <cstdint>

#include "PloverMetaParser.h"

namespace plover {
class MetadataEngine;

// Merges the Login elements of a LoginInfo element into the login map.
bool parse_loginInfo(MetadataEngine& engine, const char* element, uint32_t elementLength, const char* fileName);

// Fills the first log-in of the entry at or after (sel 0) or at or before
// (sel 1) the time in seconds.
bool outdata_loginInfo_osd(const MetadataEngine& engine, uint64_t time, int32_t sel, _SLOGIN_INFO_OSD* record);

}  // namespace plover

#endif
