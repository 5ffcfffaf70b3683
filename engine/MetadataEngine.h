// The store behind documents handed in from memory: samples, log-ins,
// documents with their settings, the file registry and device information.
// Parsers add entries; only clear_metadata removes them wholesale.  Copies are
// deep (shared texts are immutable, so sharing them is a deep copy).
#ifndef PLOVER_ENGINE_METADATAENGINE_H
#define PLOVER_ENGINE_METADATAENGINE_H

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "engine/DocumentEntry.h"
#include "engine/LoginEntry.h"
#include "engine/PInfoSample.h"

namespace plover {

class MetadataEngine {
 public:
  static constexpr uint32_t kDefaultOsdInfoSize = 64;

  // Camera model rates of cameras 1 to 5 (index 0 to 4): -1 unset, else 0 or
  // 1.  Set once while samples are parsed; never reset.
  std::array<int32_t, 5> cameraModelRates{{-1, -1, -1, -1, -1}};
  std::map<uint64_t, PInfoSample> samples;         // key: local time in milliseconds
  std::map<uint32_t, LoginEntry> logins;           // key: log-in time in seconds
  std::map<std::string, DocumentEntry> documents;  // key: document file name
  // (GetAv3File's start-time list lives only inside each call.)
  std::map<std::string, std::string> documentByFile;  // recorded file -> document file name
  uint32_t osdInfoSize = kDefaultOsdInfoSize;         // size of each caller text buffer
  std::map<std::string, DeviceInfo> devices;          // key: document file name

  // Empties every map; the rates and the OSD info size stay.
  void clear_metadata();
};

}  // namespace plover

#endif
