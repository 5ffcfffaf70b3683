// The data of the review page: one recording's samples as compact columns,
// its log-ins, settings and the video's start, as a JSON object that the
// page's script reads.  The only part of the review command that reads the
// recording; the page builds every OSD text from these columns.
#ifndef PLOVERMETA_REVIEWDATA_H
#define PLOVERMETA_REVIEWDATA_H

#include <optional>
#include <string>

#include "plover/Recording.h"

namespace plovermeta {

struct ReviewVideo {
  std::string path;                      // as the page refers to it, or empty: no video
  std::optional<std::string> startText;  // --video-start as given
};

// Throws a usage error when `video.startText` does not read as a time of the
// recording's form.
std::string ReviewData(const plover::Recording& recording, const ReviewVideo& video);

}  // namespace plovermeta

#endif
