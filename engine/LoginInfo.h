// Officer log-ins: parsing LoginInfo and the query by time.
#ifndef PLOVER_ENGINE_LOGININFO_H
#define PLOVER_ENGINE_LOGININFO_H

#include <array>
#include <cstdint>

#include "PloverMetaParser.h"
#include "engine/LoginEntry.h"

namespace plover {
class MetadataEngine;

// Merges the Login elements of a LoginInfo element into the login map; the
// log-ins of one time share an entry.  False when the parse stopped early
// (no content, a '<' not followed by a further Login, a Login without a
// valid time); what was stored before the stop stays.
bool parse_loginInfo(MetadataEngine& engine, const char* element, uint32_t elementLength, const char* fileName);

// The log-in time of one Login element in seconds (low 32 bits), 0 when it
// has none.
uint32_t login_time(const char* login, uint32_t loginLength);

// Fills the officer and field texts of one Login element; missing or empty
// elements stay null.  The file name is not touched.
bool parse_login(const char* login, uint32_t loginLength, LoginRecord& record);

// The caller's thirteen officer and field buffer pointers of a record, in
// offset order (the same order as LoginRecord::texts).
std::array<char**, LoginRecord::kOfficerTextCount> LoginSlots(_SLOGIN_INFO_OSD& record);

// Fills the first log-in of the entry at or after (sel 0) or at or before
// (sel 1) the time in seconds.
bool outdata_loginInfo_osd(const MetadataEngine& engine, uint64_t time, int32_t sel, _SLOGIN_INFO_OSD* record);

}  // namespace plover

#endif
