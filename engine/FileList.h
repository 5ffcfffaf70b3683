// The recorded files that a document lists.
#ifndef PLOVER_ENGINE_FILELIST_H
#define PLOVER_ENGINE_FILELIST_H

#include <cstdint>
#include <string>

#include "PloverMetaParser.h"

namespace plover {
class MetadataEngine;

// The files of one data type and channel of a stored document, by start time.
bool GetAv3File(const MetadataEngine& engine, int32_t dataType, int32_t channel, _META_VO_SFILELIST** list,
                int32_t* count, const char* fileName);

// Records which document lists each file (the first registration wins).
void register_files(MetadataEngine& engine, const std::string& documentFileName);

// The name of the document that lists `name`, into a 256-byte buffer.
bool GetMetaFileName(const MetadataEngine& engine, const char* name, char* out);

}  // namespace plover

#endif
