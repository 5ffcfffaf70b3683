// The recorded files that a document lists.
#ifndef PLOVER_ENGINE_FILELIST_H
#define PLOVER_ENGINE_FILELIST_H

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "PloverMetaParser.h"

namespace plover {
class MetadataEngine;

// Start time in seconds -> the 256-byte name field of a listed file.
using StartTimeList = std::map<uint64_t, std::array<char, 256>>;

// Adds the files of one data type (0 "v", 1 "a", 2 "x", 3 "w") and channel
// (1 to 99) that a FileList element lists; the first file of a start time
// wins.  False when the arguments are out of range or the parse stopped early
// (files stored before the stop stay).
bool parse_fileList(const char* fileList, uint32_t length, int32_t dataType, int32_t channel, StartTimeList& out);

// The files of one data type and channel of a stored document, by start time,
// in an array from the page allocator that the caller releases with
// platform::ReleasePages (ReleaseAv3FileList).  No files: *count 0 and a null
// list.  False for an unknown document (nothing written) or when the array
// cannot be had (*count written, *list not).
bool GetAv3File(const MetadataEngine& engine, int32_t dataType, int32_t channel, _META_VO_SFILELIST** list,
                int32_t* count, const char* fileName);

// Records which document lists each file (the first registration wins), for
// video on channels 1-5, type "x" on 2-5, type "w" on 1-2 and audio on 1-3.
void register_files(MetadataEngine& engine, const std::string& documentFileName);

// The name of the document that lists `name`, into a 256-byte buffer.
bool GetMetaFileName(const MetadataEngine& engine, const char* name, char* out);

}  // namespace plover

#endif
