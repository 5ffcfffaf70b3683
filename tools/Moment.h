// A sample together with what the OSD shows beside it: the officers logged
// in at that time and the speed unit.  Play, osd and every export show
// moments.
#ifndef PLOVERMETA_MOMENT_H
#define PLOVERMETA_MOMENT_H

#include <optional>
#include <string>
#include <vector>

#include "Position.h"
#include "Recording.h"

namespace plovermeta {

struct Moment {
  Sample sample;
  std::string officers;   // "A1023 Jane Q Doe, B2201 Rick Roe", or empty
  std::string loginTime;  // when those officers logged in (documents), or empty
  std::string speedUnit;
  std::optional<Position> position;  // when both texts read
};

// The moment of one sample of `recording`.
Moment MakeMoment(const Recording& recording, const Sample& sample, const std::string& speedUnit);

// Every sample of the recording as a moment.
std::vector<Moment> AllMoments(const Recording& recording);

// The officers of a log-in or a file, joined with ", ".
std::string OfficersText(const std::array<Officer, 2>& officers);

// Input numbers (from 1) whose character in the status row is '1': "1, 5".
std::string InputsOn(const std::string& gStat);

// The OSD of one moment as text lines: time, position, speeds, status,
// file, officers (tracks: the cue's lines).  `asked` is a first line naming
// the asked time, or empty.
std::string OsdBlock(FileForm form, const Moment& moment, const std::string& asked = std::string());

}  // namespace plovermeta

#endif
