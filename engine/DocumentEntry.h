// A stored document, its recording settings and the recorder's device
// information.
#ifndef PLOVER_ENGINE_DOCUMENTENTRY_H
#define PLOVER_ENGINE_DOCUMENTENTRY_H

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plover {

// The 139 recording settings, slot for slot as in _SF_INFO_OSD.  Each value
// below is the first slot of a field; camera (or input) n uses first + n - 1.
enum SettingsSlot : int {
  kTimeZoneRule = 0,
  kStyleType = 1,
  kStyle = 2,
  kCameraName = 3,      // 5 cameras
  kOsdMaster = 8,       // 5
  kOsdDate = 13,        // 5
  kOsdField = 18,       // 5
  kOsdTrigger = 23,     // 5
  kOsdPos = 28,         // 5
  kOptionFieldId = 33,  // 10: camera n, option m at 2(n - 1) + (m - 1)
  kOptionLen = 43,      // 10, same indexing
  kSeparatorMark = 53,  // 5
  kTriggerSw = 58,
  kGpiIcon = 59,        // 16 inputs
  kGpiRefTrigger = 75,  // 16
  kSpeedTriggerSw = 91,
  kSTriggerIcon = 92,  // 5
  kSpeedUnit = 97,
  kSpeedType = 98,  // 5
  kCameraId = 103,
  kAspect = 104,               // 5
  kRecordingMode = 109,        // 5
  kRecordingResolution = 114,  // 5
  kRecordingBps = 119,         // 5
  kRecordingFps = 124,         // 5
  kRecordingAudioBps = 129,    // 5
  kFov = 134,                  // 5
};

struct FileSettings {
  static constexpr int kSlotCount = 139;
  std::array<std::optional<std::string>, kSlotCount> slots;
};

// What the queries on a stored document look up in it, found on first use
// and kept with it: where its raw sections lie (outdata_str) and which files
// its FileList lists (GetAv3File), so that a query does not rescan the
// document.  Texts are views into the stored copy.
struct DocumentIndex {
  static constexpr int kSectionCount = 5;  // V-Info, P-Info, F-Info, AVHash, METAHash
  struct Section {
    bool searched = false;
    std::optional<std::string_view> element;
  };
  std::array<Section, kSectionCount> sections;

  // A File element of the FileList that its data type and channel may ask
  // for: its F-Name content and the first 19 characters of its RecST.
  struct ListedFile {
    std::string_view name;
    std::string_view start;
  };
  bool filesListed = false;
  // (data type, channel) -> the files in document order, up to the first one
  // without F-Name or RecST, where the list of that pair ends.
  std::map<std::pair<int32_t, int32_t>, std::vector<ListedFile>> files;
};

struct DocumentEntry {
  // The whole document as handed in.  The samples parsed from it see their
  // texts in this copy.
  std::shared_ptr<const std::string> document;
  FileSettings settings;
  // Filled by the (const) queries on first use.  A copy of the entry copies
  // it: its views point into the same shared, immutable document.
  mutable DocumentIndex index;

  std::string_view Text() const { return document ? std::string_view(*document) : std::string_view(); }
};

// Device information from V-Info.
enum DeviceField {
  kFirmwareVersion,
  kRecorderModel,
  kRecorderSerial,
  kSlot1Sd,
  kSlot1Serial,
  kSlot1FwVersion,
  kWlan0Mac,
  kDeviceFieldCount
};

struct DeviceInfo {
  std::array<std::optional<std::string>, kDeviceFieldCount> fields;
};

}  // namespace plover

#endif
