// Queries on a stored document: settings, raw sections, recorder model.
#ifndef PLOVER_ENGINE_DOCUMENTQUERIES_H
#define PLOVER_ENGINE_DOCUMENTQUERIES_H

#include <cstdint>

#include "PloverMetaParser.h"

namespace plover {
class MetadataEngine;

bool outdata_finfo_osd(const MetadataEngine& engine, const char* fileName, _SF_INFO_OSD* record);

// A section (type 0 to 4) or the whole document (type 5).  Returns a length,
// 0 for an unknown document, -1 for a missing section.
int32_t outdata_str(const MetadataEngine& engine, const char* fileName, int32_t type, unsigned char* buffer,
                    uint32_t bufferSize);

// 1 when the recorder model of the document equals `model`, 0 when not, -1
// for an unknown document.
int32_t GetModelTypeVinfo(const MetadataEngine& engine, const char* fileName, const char* model);

}  // namespace plover

#endif
