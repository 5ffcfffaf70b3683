// Sample queries by time: display texts and the canonical sample text.
#ifndef PLOVER_ENGINE_PINFOQUERIES_H
#define PLOVER_ENGINE_PINFOQUERIES_H

#include <cstdint>

#include "PloverMetaParser.h"

namespace plover {
class MetadataEngine;

// Fills the display texts of the sample at or after (sel 0) or at or before
// (sel 1) the time in milliseconds.  False when there is none.
bool outdata_pinfo_osd(const MetadataEngine& engine, uint64_t time, int32_t sel, _SP_INFO_OSD* record);

// selA 0: the canonical text of a sample, its key and its number; selA 1: the
// raw text of a log-in entry.  Returns the full length of the text, 0 when
// nothing was found.  A null foundTime is not written through; the rest of the
// answer is given as usual.
int32_t outdata_num(const MetadataEngine& engine, uint64_t time, int32_t selA, int32_t selB, unsigned char* buffer,
                    uint32_t bufferSize, PMP_UINT64* foundTime, PMP_LONG* count);

}  // namespace plover

#endif
