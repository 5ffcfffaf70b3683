#include "captions/CaptionStore.h"

namespace plover {

// Not yet implemented.
int32_t CaptionStore::inputdata_VTT(const unsigned char*, uint32_t) { return 0; }

int32_t CaptionStore::GetVTTData(const char*, _VTT_OSD_INFO*) const { return -1; }

void CaptionStore::ClearVTTData() {}

}  // namespace plover
