#include "engine/BinaryDecoder.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented.
int32_t decode_binary_pinfo(const MetadataEngine&, const unsigned char*, uint32_t length, unsigned char*, uint32_t,
                            _SP_INFO_OSD*) {
  return length < 284 ? -1 : 0;
}

}  // namespace plover
