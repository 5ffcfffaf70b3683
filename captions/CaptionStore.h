// The cues of WebVTT caption tracks, keyed by start time.
#ifndef PLOVER_CAPTIONS_CAPTIONSTORE_H
#define PLOVER_CAPTIONS_CAPTIONSTORE_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "PloverMetaParser.h"

namespace plover {

// One line of a cue.
struct CueLine {
  // The line as it is handed out: its first 255 bytes, up to a NUL among them.
  std::string text;
  // The stored length plus one: the bytes the line uses in a record's slot,
  // NUL included (counting bytes after a NUL inside the line).
  int32_t size = 0;
};

// One cue as read from a track.  Only the lines a lookup can hand out are
// kept, not a whole record of 17 slots of 256 bytes: a long track would
// otherwise take over 4 KiB a cue.
struct CaptionCue {
  uint64_t endTime = 0;        // milliseconds; all bits set when it did not scan
  uint64_t startTime = 0;      // milliseconds; equal to the key, except in the end marker
  int32_t align = 0;           // 0 start, 1 middle, 2 end
  int32_t line = 0;            // "line:" percentage, 0 when none
  int32_t position = 0;        // "position:" percentage, 0 when none
  std::vector<CueLine> lines;  // at most 17
};

class CaptionStore {
 public:
  // Key of the end marker, the entry every track leaves under the largest key
  // so that each time below it has an entry at or after it.
  static constexpr uint64_t kEndMarker = UINT64_MAX;

  using Cues = std::map<uint64_t, CaptionCue>;

  // Adds the cues of a track.  Always 0.
  int32_t inputdata_VTT(const unsigned char* data, uint32_t length);
  // The cue covering the play time `key` (hh:mm:ss.ttt) into `record`: 0, or
  // -1 for a key that does not scan or an empty store.
  int32_t GetVTTData(const char* key, _VTT_OSD_INFO* record) const;
  void ClearVTTData();

  const Cues& cues() const { return cues_; }

 private:
  Cues cues_;
};

}  // namespace plover

#endif
