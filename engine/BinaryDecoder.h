// The 284-byte binary sample record.
#ifndef PLOVER_ENGINE_BINARYDECODER_H
#define PLOVER_ENGINE_BINARYDECODER_H

#include <cstdint>

#include "PloverMetaParser.h"

namespace plover {
class MetadataEngine;

// Decodes one record into its canonical sample text (written to `aux`, which
// may be null) and the display texts of `record`.  Stores nothing.  Returns
// the full length of the text, or -1 when fewer than 284 bytes are given.
int32_t decode_binary_pinfo(const MetadataEngine& engine, const unsigned char* data, uint32_t length,
                            unsigned char* aux, uint32_t auxLength, _SP_INFO_OSD* record);

}  // namespace plover

#endif
