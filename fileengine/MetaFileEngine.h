// The store behind second-generation metadata files read from disk: file
// information and sample tables per path, the readers of the two file forms
// (chunked container and tagged text), the text parsers and the queries.
//
// The engine holds no open file: a load opens the file, hands a reader down
// to the form's reader and closes it before it returns.  Engines are thus
// plain values and may be copied; copies share only immutable texts.
#ifndef PLOVER_FILEENGINE_METAFILEENGINE_H
#define PLOVER_FILEENGINE_METAFILEENGINE_H

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "PloverMetaParser.h"
#include "fileengine/Mk2Records.h"

namespace plover {

class FileReader;

class MetaFileEngine {
 public:
  static constexpr uint32_t kDefaultOsdInfoSize = 64;

  // Form selectors of load_file, and the form of a fresh or cleared engine.
  static constexpr int32_t kNoForm = -1;
  static constexpr int32_t kContainerForm = 0;
  static constexpr int32_t kTextForm = 1;

  // Path as the caller passed it (compared byte by byte) to its samples.
  std::map<std::string, SampleTable, std::less<>> samplesByFile;
  // Path to its file information.
  std::map<std::string, VInfoMk2Record, std::less<>> fileInfoByFile;
  uint32_t osdInfoSizeMk2 = kDefaultOsdInfoSize;  // size of each caller text buffer
  std::string currentPath;                        // the file being read; empty otherwise
  int32_t fileForm = kNoForm;
  // Work of the loads so far: bytes read from files plus bytes handed to the
  // text parsers.  The hostile-input tests and the fuzzers hold it against
  // the input's size.
  uint64_t bytesExamined = 0;

  // Forgets every file and the chosen form; the OSD info size stays.
  void clear_files();

  // Reads a file in form 0 (container) or 1 (text file).  The first load
  // fixes the form until clear_files; a path that already has samples is
  // refused.
  bool load_file(const char* path, int32_t option);

  // Copies the file information of `fileName` into the caller's buffers.
  bool finfo_osd_mk2(const char* fileName, _SF_INFO_OSD_MK2* record) const;
  // Copies the sample at or after (sel 0) or at or before (sel 1) index
  // number `position` of `fileName` into the caller's buffers.
  bool pinfo_osd_mk2(const char* fileName, uint32_t position, int32_t sel, _SP_INFO_OSD_MK2* record) const;

  // Parses a file-information text and stores it under currentPath; false
  // when the text is null or the path already has file information.
  bool parse_vinfo_mk2(const char* text, uint32_t textLength);

  // Parses one sample text into `table` under `indexNumber`, inheriting what
  // the text lacks from the sample with that index number, else from the one
  // with the greatest index number.  False (table unchanged) when the sample
  // has no usable time.
  bool parse_pinfo_mk2(const char* text, uint32_t textLength, uint32_t indexNumber, SampleTable& table) const;
  // The two halves of parse_pinfo_mk2: the texts a sample text gives, and
  // storing them with inheritance.  A text read once may be stored under many
  // index numbers.
  static Mk2SampleText read_sample_text(const char* text, uint32_t textLength);
  bool store_sample(const Mk2SampleText& found, uint32_t indexNumber, SampleTable& table) const;

  // The container form: walks the chunks of a file of `size` bytes.
  bool read_container(FileReader& file, uint32_t size);
  // Reads the records of one data chunk and stores its table under
  // currentPath unless the path already has one.
  bool read_data_chunk(FileReader& file, uint32_t chunkOffset, uint32_t chunkSize,
                       const std::map<uint32_t, uint32_t>& index);

  // The text form: reads the whole file and parses its F-Info and P-Info.
  bool read_text_file(FileReader& file, uint32_t size);
};

}  // namespace plover

#endif
