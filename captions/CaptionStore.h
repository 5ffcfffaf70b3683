// The cues of WebVTT caption tracks, keyed by start time.
#ifndef PLOVER_CAPTIONS_CAPTIONSTORE_H
#define PLOVER_CAPTIONS_CAPTIONSTORE_H

#include <cstdint>

#include "PloverMetaParser.h"

namespace plover {

class CaptionStore {
 public:
  // Adds the cues of a track.  Always 0.
  int32_t inputdata_VTT(const unsigned char* data, uint32_t length);
  // The cue covering the play time `key` (hh:mm:ss.ttt) into `record`: 0, or
  // -1 for a key that does not scan or an empty store.
  int32_t GetVTTData(const char* key, _VTT_OSD_INFO* record) const;
  void ClearVTTData();
};

}  // namespace plover

#endif
