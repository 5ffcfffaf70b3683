#include "fileengine/MetaFileEngine.h"

namespace plover {

// Not yet implemented.
void MetaFileEngine::clear_files() {}

bool MetaFileEngine::load_file(const char*, int32_t) { return false; }

bool MetaFileEngine::finfo_osd_mk2(const char*, _SF_INFO_OSD_MK2*) const { return false; }

bool MetaFileEngine::pinfo_osd_mk2(const char*, uint32_t, int32_t, _SP_INFO_OSD_MK2*) const { return false; }

}  // namespace plover
