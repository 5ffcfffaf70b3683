// P-Info sections: samples keyed by time, and the canonical sample text.
#ifndef PLOVER_ENGINE_PINFOPARSER_H
#define PLOVER_ENGINE_PINFOPARSER_H

#include <cstdint>

#include "engine/PInfoSample.h"

namespace plover {
class MetadataEngine;

// Merges the Index elements of a P-Info element into the sample map.  False
// when the parse stopped early; samples stored before the stop stay.
bool parse_pinfo(MetadataEngine& engine, const char* fileName, const char* section, uint32_t sectionLength,
                 int32_t speedTriggerOn, int32_t speedTriggerGpi);

// Writes the record as one Index element of text into `out` (null: nothing is
// written) and returns the full length of that text.  The text was written
// whole exactly when the result is below `outSize`; no NUL is written.
uint32_t compose_index_text(char* out, uint32_t outSize, const PInfoTextRecord& record);

}  // namespace plover

#endif
