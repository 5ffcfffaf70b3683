// Queries on a stored document: settings, raw sections, recorder model.
#ifndef PLOVER_ENGINE_DOCUMENTQUERIES_H
#define PLOVER_ENGINE_DOCUMENTQUERIES_H

#include <array>
#include <cstdint>

#include "PloverMetaParser.h"
#include "engine/DocumentEntry.h"

namespace plover {
class MetadataEngine;

// The caller's 139 buffer pointers of a settings record, in slot order.
std::array<char**, FileSettings::kSlotCount> SettingsSlots(_SF_INFO_OSD& record);

// Copies every stored setting of the document into the record's buffers
// (null pointers skipped, absent settings leave their buffer alone).  False,
// with the record untouched, for an unknown or null name.
bool outdata_finfo_osd(const MetadataEngine& engine, const char* fileName, _SF_INFO_OSD* record);

// A section (type 0 to 4) or the whole document (type 5).  Returns a length,
// 0 for an unknown (or null) document name, -1 for a missing section.
int32_t outdata_str(const MetadataEngine& engine, const char* fileName, int32_t type, unsigned char* buffer,
                    uint32_t bufferSize);

// 1 when the recorder model of the document equals `model`, 0 when not, -1
// for an unknown document.
int32_t GetModelTypeVinfo(const MetadataEngine& engine, const char* fileName, const char* model);

}  // namespace plover

#endif
