#include "engine/PInfoParser.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented.
bool parse_pinfo(MetadataEngine&, const char*, const char*, uint32_t, int32_t, int32_t) { return false; }

uint32_t compose_index_text(char*, uint32_t, const PInfoTextRecord&) { return 0; }

}  // namespace plover
