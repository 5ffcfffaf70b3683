// One metadata file opened through the library, as a viewer opens it: the
// only way the tool reaches the library.  It steps through the samples,
// answers the sample at a moment, the log-ins, and the settings and file
// lists of a document.
#ifndef PLOVERMETA_RECORDING_H
#define PLOVERMETA_RECORDING_H

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FileForm.h"

class CMetaParser;

namespace plovermeta {

// One moment of the recording: what the OSD shows.
struct Sample {
  // The key the library answers by: local time in milliseconds (documents,
  // binary records), the index number (second-generation files) or the cue's
  // start in play milliseconds (tracks).
  uint64_t key = 0;
  // Milliseconds since the epoch (documents, binary records and
  // second-generation files) or of play time (tracks).
  uint64_t timeMs = 0;
  bool hasTime = false;  // false for a binary record whose time stamp does not read
  std::string ts, gStat, latitude, longitude, own, fileName;
  std::array<std::string, 5> speeds;  // documents and binary records
  std::string radarOwn, radarTarget;  // second-generation files
  uint64_t endMs = 0;                 // tracks: the cue's end
  std::vector<std::string> lines;     // tracks: the cue's text
};

struct Officer {
  std::string id, first, middle, last;
  bool Empty() const { return id.empty() && first.empty() && middle.empty() && last.empty(); }
  std::string Display() const;  // "A1023 Jane Q Doe"
};

struct Login {
  uint64_t timeS = 0;  // local time in seconds as the library keys it
  std::array<Officer, 2> officers;
  std::array<std::string, 5> fields;
  std::string fileName;
};

// Recording settings of one camera of a document.
struct CameraSettings {
  std::string name, mode, resolution, bps, fps, audioBps, aspect, fov, speedType;
};

struct DocumentSettings {
  std::string cameraId, timeZoneRule, style, speedUnit, triggerSw, speedTriggerSw;
  std::array<CameraSettings, 5> cameras;
};

struct DeviceInfo {
  std::string model, serial, firmware, slotCard, slotSerial, wlanMac;
};

// File information of a second-generation file.
struct FileInfoMk2 {
  std::string fileName, timeZone, shiftPattern, vId, area, unitName, agency, speedUnit;
  std::array<Officer, 2> officers;
};

class Recording {
 public:
  // Opens `path` in `form`, or in the form its first bytes tell.  Throws
  // ToolError for a missing file, an unreadable form or a file the library
  // refuses.
  static Recording Open(const std::string& path, std::optional<FileForm> form = std::nullopt);

  Recording(Recording&&) noexcept;
  Recording& operator=(Recording&&) noexcept;
  ~Recording();

  FileForm form() const { return form_; }
  const std::string& path() const { return path_; }
  // The name the document is stored under (its file name without folders).
  const std::string& key() const { return key_; }

  // Every sample in order, stepping through the library as a viewer would.
  std::vector<Sample> Samples() const;
  // The sample at `key` (see Sample::key), or at or before it with `before`,
  // else at or after it.
  std::optional<Sample> At(uint64_t key, bool before) const;

  // Documents: every log-in in order, and the latest at or before a time.
  std::vector<Login> Logins() const;
  std::optional<Login> LoginAt(uint64_t epochMs) const;

  // Documents.
  DeviceInfo Device() const;
  // A raw section of the document as the library hands it back whole
  // (0 V-Info, 1 P-Info, 2 F-Info), or empty.
  std::string Section(long type) const;
  DocumentSettings Settings() const;
  // The files a document lists for a data type (0 video, 1 audio, 2 x, 3 w)
  // and a channel, in order of their start time.
  std::vector<std::string> Files(int dataType, int channel) const;

  // Second-generation files.
  FileInfoMk2 FileInfo() const;

  // The speed unit the file names, or empty.
  std::string SpeedUnit() const;

 private:
  Recording();
  void Load();
  std::optional<Sample> DocumentSample(uint64_t time, long sel) const;
  std::optional<Sample> Mk2Sample(uint32_t position, long sel) const;
  std::optional<Sample> CueAt(uint64_t playMs) const;

  FileForm form_ = FileForm::kDocument;
  std::string path_;
  std::string key_;
  std::unique_ptr<CMetaParser> parser_;
  std::vector<Sample> binarySamples_;  // decoded once: records carry no key to ask by
  struct CueTiming {
    uint64_t start, end;
  };
  std::vector<CueTiming> cues_;  // from the track's timing lines, in order of start
};

}  // namespace plovermeta

#endif
