#include "engine/FileList.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented.
bool GetAv3File(const MetadataEngine&, int32_t, int32_t, _META_VO_SFILELIST**, int32_t*, const char*) { return false; }

void register_files(MetadataEngine&, const std::string&) {}

bool GetMetaFileName(const MetadataEngine&, const char*, char*) { return false; }

}  // namespace plover
