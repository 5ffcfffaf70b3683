// Intake of a whole metadata document under a file name.
#ifndef PLOVER_ENGINE_DOCUMENTINTAKE_H
#define PLOVER_ENGINE_DOCUMENTINTAKE_H

#include <cstdint>

namespace plover {
class MetadataEngine;

// Finds the sections of the document, hands each to its parser, stores a copy
// of the document with its settings under `fileName` (the first document of a
// name is kept) and registers the files it lists.  False only when the copy
// of a new document cannot be made.
bool inputdata_xml(MetadataEngine& engine, const char* data, uint32_t length, const char* fileName);

}  // namespace plover

#endif
