// The recorder sections of a document: V-Info (the device) and the settings
// of F-Info.  Texts are stored exactly as they stand; nothing is converted.
#ifndef PLOVER_ENGINE_SETTINGSPARSER_H
#define PLOVER_ENGINE_SETTINGSPARSER_H

#include <cstdint>
#include <string>

#include "engine/DocumentEntry.h"

namespace plover {
class MetadataEngine;

// Replaces the device information stored under `fileName` with what the
// V-Info element yields (fields it lacks stay null).  False for a null
// element, which leaves the device map alone.
bool parse_vinfo(MetadataEngine& engine, const std::string& fileName, const char* vinfo, uint32_t vinfoLength);

// Fills the settings slots from an F-Info element, group by group.  Slots
// whose source is missing stay as they were (null in a fresh FileSettings).
bool parse_finfo_settings(const char* finfo, uint32_t finfoLength, FileSettings& settings);

struct TriggerSummary {
  int32_t speedTriggerOn = 0;   // 0 or 1
  int32_t speedTriggerGpi = 0;  // 0, 15 or 16
};

// The two speed-trigger values the sample parser needs; both 0 for a null
// element.
TriggerSummary parse_trigger_summary(const char* finfo, uint32_t finfoLength);

}  // namespace plover

#endif
