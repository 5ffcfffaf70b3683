// What a recording says besides its samples: log-ins, the recorder, its
// settings, a second-generation file's information.  Few per recording, so
// plain values with their own strings.
#ifndef PLOVER_RECORDS_H
#define PLOVER_RECORDS_H

#include <array>
#include <cstdint>
#include <string>

#include "Sample.h"

namespace plover {

struct Officer {
  std::string id, first, middle, last;
  bool Empty() const { return id.empty() && first.empty() && middle.empty() && last.empty(); }
  std::string Display() const;  // "A1023 Jane Q Doe"
};

// The officers of a log-in or a file joined with ", ", the empty ones left out.
std::string OfficersText(const std::array<Officer, 2>& officers);

// One log-in of a document.
struct Login {
  uint64_t key = 0;             // what the library keys it by: local seconds
  int64_t utcMs = kNoTime;      // UTC instant
  int64_t writtenMs = kNoTime;  // the time as written
  std::array<Officer, 2> officers;
  std::array<std::string, 5> fields;
  std::string fileName;
};

// The recorder of a document (V-Info).
struct Device {
  std::string model, serial, firmware, slotCard, slotSerial, wlanMac;
};

// Settings of one camera of a document.
struct CameraSettings {
  std::string name, mode, resolution, bps, fps, audioBps, aspect, fov, speedType;
  // On-screen display: switches, place, separator and two option fields.
  std::string osdMaster, osdDate, osdField, osdTrigger, osdPos, separator;
  std::array<std::string, 2> optionField, optionLength;
};

// A general-purpose input as the settings name it.
struct InputSettings {
  std::string icon, refTrigger;
};

// Recording settings of a document (F-Info).
struct DocumentSettings {
  std::string cameraId, timeZoneRule, styleType, style, speedUnit, triggerSw, speedTriggerSw;
  std::array<CameraSettings, 5> cameras;
  std::array<InputSettings, 16> inputs;
  std::array<std::string, 5> speedTriggerIcons;
};

// How the metadata library rates a camera's model (from its CAM-STAT model).
enum class CameraModel {
  kUnknown,  // no camera status named a model
  kListed,   // one of the models the library lists
  kOther,    // any other model
};

// One display stream of a second-generation file.
struct StreamSettings {
  std::string date, gpio, srcArea, style, pos;
};

// File information of a second-generation file.
struct FileInfo {
  std::string fileName;
  std::string timeZoneGmt;  // TZoneInfo gmt, e.g. "+09:00"
  std::string timeZone;     // TZone, read only without TZoneInfo
  std::array<StreamSettings, 2> streams;
  std::array<Officer, 2> officers;
  std::string shiftPattern, vId, area, unitName, agency, gpioSwitch, speedUnit;
  std::array<std::string, 16> inputIcons, inputIconSwitches;
};

// The files a document lists, by data type.
enum class DataType { kVideo = 0, kAudio = 1, kX = 2, kW = 3 };

}  // namespace plover

#endif
