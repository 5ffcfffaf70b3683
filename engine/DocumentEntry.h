// A stored document, its recording settings and the recorder's device
// information.
#ifndef PLOVER_ENGINE_DOCUMENTENTRY_H
#define PLOVER_ENGINE_DOCUMENTENTRY_H

#include <array>
#include <optional>
#include <string>

namespace plover {

// The 139 recording settings, slot for slot as in _SF_INFO_OSD.
struct FileSettings {
  static constexpr int kSlotCount = 139;
  std::array<std::optional<std::string>, kSlotCount> slots;
};

struct DocumentEntry {
  std::string document;  // the whole document as handed in
  FileSettings settings;
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
