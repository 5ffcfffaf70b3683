// What a Recording holds: the library object it asks, its samples as
// columns over one text pool, and what it read once at opening.
#ifndef PLOVER_RECORDING_RECORDINGSTATE_H
#define PLOVER_RECORDING_RECORDINGSTATE_H

#include <memory>
#include <string>
#include <vector>

#include "PloverMetaParser.h"
#include "plover/Recording.h"

namespace plover {

// Every display buffer handed to the library holds this many bytes; the
// library is told so with SetOsdInfoSize / SetOsdInfoSizeMk2.
inline constexpr size_t kTextSize = 256;

// `count` zeroed text buffers of kTextSize bytes.
class TextBuffers {
 public:
  explicit TextBuffers(size_t count) : bytes_(count * kTextSize, '\0') {}
  char* operator[](size_t i) { return &bytes_[i * kTextSize]; }
  std::string_view View(size_t i) const;
  std::string Text(size_t i) const { return std::string(View(i)); }

 private:
  std::vector<char> bytes_;
};

struct Recording::State {
  Form form = Form::kDocument;
  std::string path;
  std::string name;
  // The path the library knows a second-generation file by: `path`, or the
  // repaired copy of a cut-off file that was read in its place.
  std::string libraryPath;
  Recovery recovery;
  std::unique_ptr<CMetaParser> parser;
  TextPool pool;
  SampleTable samples;
  // Rows in order of their keys, when the rows' own order is not that.
  std::vector<uint32_t> rowsByKey;
  TimeZone zone;
  ZoneOrigin origin = ZoneOrigin::kMachine;
  std::vector<Login> logins;
  Device device;
  DocumentSettings settings;
  FileInfo fileInfo;
  std::string speedUnit;

  // The row of a sample's key, or nothing.
  std::optional<size_t> RowOfKey(uint64_t key) const;
};

// Reading the library's records at opening (LibraryRecords.cpp).
DocumentSettings ReadSettings(CMetaParser& parser, const std::string& name);
// A document's raw section (0 V-Info, 1 P-Info, 2 F-Info), or empty.
std::string ReadSection(CMetaParser& parser, const std::string& name, PMP_LONG type);
Device ReadDevice(CMetaParser& parser, const std::string& name);
FileInfo ReadFileInfo(CMetaParser& parser, const std::string& path);
std::vector<Login> ReadLogins(CMetaParser& parser);
// The samples of each form into the state's table (RecordingLoad.cpp).
void LoadDocument(Recording::State& state, std::string_view bytes);
void LoadSecondGeneration(Recording::State& state);
void LoadTrack(Recording::State& state, std::string_view bytes);
void LoadBinary(Recording::State& state, std::string_view bytes);
// The error of a cut-off file without one complete sample.
Error CutOffError(const Recording::State& state);

}  // namespace plover

#endif
