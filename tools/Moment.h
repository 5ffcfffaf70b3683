// A sample together with what the OSD shows beside it: the officers logged
// in at that time and the speed unit.  Play, osd and every export show
// moments.
#ifndef PLOVERMETA_MOMENT_H
#define PLOVERMETA_MOMENT_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FileForm.h"
#include "Position.h"
#include "plover/Recording.h"

namespace plovermeta {

using plover::Officer;
using plover::OfficersText;

// The texts of one sample as the tool prints and exports them.
struct Sample {
  // The key the library answers by: local time in milliseconds (documents,
  // binary records), the index number (second-generation files) or the cue's
  // start in play milliseconds (tracks).
  uint64_t key = 0;
  // Milliseconds since the epoch (documents, binary records and
  // second-generation files) or of play time (tracks).
  uint64_t timeMs = 0;
  bool hasTime = false;  // false for a sample whose time stamp does not read
  std::string ts, gStat, latitude, longitude, own, fileName;
  std::array<std::string, 5> speeds;  // documents and binary records
  std::string radarOwn, radarTarget;  // second-generation files
  uint64_t endMs = 0;                 // tracks: the cue's end
  std::vector<std::string> lines;     // tracks: the cue's text
};

struct Moment {
  Sample sample;
  std::string officers;   // "A1023 Jane Q Doe, B2201 Rick Roe", or empty
  std::string loginTime;  // when those officers logged in (documents), or empty
  std::string speedUnit;
  std::optional<Position> position;  // when both texts read
};

// The moment of one sample of `recording`.
Moment MakeMoment(const plover::Recording& recording, const plover::Sample& sample);

// Every sample of the recording as a moment.
std::vector<Moment> AllMoments(const plover::Recording& recording);

// Input numbers (from 1) whose character in the status row is '1': "1, 5".
std::string InputsOn(const std::string& gStat);

// The OSD of one moment as text lines: time, position, speeds, status,
// file, officers (tracks: the cue's lines).  `asked` is a first line naming
// the asked time, or empty.
std::string OsdBlock(FileForm form, const Moment& moment, const std::string& asked = std::string());

}  // namespace plovermeta

#endif
