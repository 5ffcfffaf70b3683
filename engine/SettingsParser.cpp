#include "engine/SettingsParser.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "engine/MetadataEngine.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

// A byte range inside the document; null when absent.
struct Range {
  const char* data = nullptr;
  uint32_t length = 0;
  explicit operator bool() const { return data != nullptr; }
};

constexpr uint32_t kMaxRange = 0x7fffffffu;

// The element `name` inside `range`.
Range Find(Range range, const char* name) {
  if (!range) return {};
  int32_t length = 0;
  const char* e = scan::FindElement(
      range.data, static_cast<int32_t>(range.length > kMaxRange ? kMaxRange : range.length), name, &length);
  if (e == nullptr) return {};
  return {e, static_cast<uint32_t>(length)};
}

// The content of an element found with the search name `name`.
Range Content(Range element, const char* name) {
  if (!element) return {};
  uint32_t length = 0;
  const char* c = scan::GetElementContent(element.data, element.length, name, &length);
  if (c == nullptr) return {};
  return {c, length};
}

std::optional<std::string> CopyContent(Range element, const char* name) {
  if (!element) return std::nullopt;
  return scan::CopyElementContent(element.data, element.length, name);
}

std::optional<std::string> ToText(std::optional<std::string_view> value) {
  if (!value) return std::nullopt;
  return std::string(*value);
}

std::optional<std::string> TagAttribute(Range element, const char* pattern) {
  if (!element) return std::nullopt;
  return ToText(scan::GetTagAttribute(element.data, element.length, pattern));
}

std::optional<std::string> LooseAttribute(Range range, const char* pattern) {
  if (!range) return std::nullopt;
  return ToText(scan::FindAttributeText(range.data, range.length, pattern));
}

// A search name with an id, printed into a zeroed 32-byte buffer.
struct SearchName {
  char text[32] = {};
  SearchName(const char* format, int id) { std::snprintf(text, sizeof text, format, id); }
};

// Stores a reading into a slot only when it yielded a text, so that a
// missing source leaves the slot untouched.
void Store(FileSettings& settings, int slot, std::optional<std::string> value) {
  if (value) settings.slots[static_cast<size_t>(slot)] = std::move(value);
}

void ReadTimeSettings(Range finfo, FileSettings& s) {
  const Range time = Content(Find(finfo, "TimeSettings"), "TimeSettings");
  Store(s, kTimeZoneRule, CopyContent(Find(Content(Find(time, "TimeZone"), "TimeZone"), "Rule"), "Rule"));
  const Range style = Find(time, "Style");
  Store(s, kStyleType, TagAttribute(style, "type=\""));
  Store(s, kStyle, CopyContent(style, "Style"));
}

void ReadStreamSettings(Range finfo, FileSettings& s) {
  const Range stream = Content(Find(finfo, "StreamSettings"), "StreamSettings");
  if (!stream) return;
  for (int n = 1; n <= 5; ++n) {
    const int cam = n - 1;
    const SearchName cameraIn("CameraIn id=\"%d\"", n);
    Store(s, kCameraName + cam, CopyContent(Find(Content(Find(stream, cameraIn.text), cameraIn.text), "Name"), "Name"));

    const SearchName osdName("OSD id=\"%d\"", n);
    const Range osd = Find(stream, osdName.text);
    Store(s, kOsdMaster + cam, TagAttribute(osd, "master=\""));
    Store(s, kOsdDate + cam, TagAttribute(osd, "date=\""));
    Store(s, kOsdField + cam, TagAttribute(osd, "field=\""));
    Store(s, kOsdTrigger + cam, TagAttribute(osd, "trigger=\""));
    Store(s, kOsdPos + cam, TagAttribute(osd, "pos=\""));
    const Range osdContent = Content(osd, osdName.text);
    for (int m = 1; m <= 2; ++m) {
      const SearchName optionName("OptionOSD id=\"%d\"", m);
      const Range option = Find(osdContent, optionName.text);
      const int index = 2 * cam + (m - 1);
      Store(s, kOptionFieldId + index, LooseAttribute(option, "field-id=\""));
      Store(s, kOptionLen + index, LooseAttribute(option, "len=\""));
    }
    Store(s, kSeparatorMark + cam, LooseAttribute(Find(osdContent, "Separator"), "mark=\""));

    const SearchName aspect("Aspect id=\"%d\"", n);
    Store(s, kAspect + cam, CopyContent(Find(stream, aspect.text), "Aspect"));

    const SearchName recordingName("Recording id=\"%d\"", n);
    const Range recording = Find(stream, recordingName.text);
    Store(s, kRecordingMode + cam, TagAttribute(recording, "mode=\""));
    Store(s, kRecordingResolution + cam, TagAttribute(recording, "resolution=\""));
    Store(s, kRecordingBps + cam, TagAttribute(recording, "bps=\""));
    Store(s, kRecordingFps + cam, TagAttribute(recording, "fps=\""));
    Store(s, kRecordingAudioBps + cam, TagAttribute(recording, "audio-bps=\""));
  }
}

// fov has the one default: "MAX" for every camera without a usable FOV, but
// only while CameraSettings exists.
void ReadCameraSettings(Range finfo, FileSettings& s) {
  const Range cameraSettings = Find(finfo, "CameraSettings");
  if (!cameraSettings) return;
  const Range cameras = Content(cameraSettings, "CameraSettings");
  for (int n = 1; n <= 5; ++n) {
    const SearchName ch("CH ch=\"%d\"", n);
    std::optional<std::string> fov = CopyContent(Find(Content(Find(cameras, ch.text), ch.text), "FOV"), "FOV");
    s.slots[static_cast<size_t>(kFov + n - 1)] = fov ? std::move(fov) : std::optional<std::string>("MAX");
  }
}

void ReadTriggerSettings(Range finfo, FileSettings& s) {
  const Range trigger = Find(finfo, "TriggerSettings");
  Store(s, kTriggerSw, TagAttribute(trigger, "sw=\""));
  const Range inputs = Content(trigger, "TriggerSettings");
  if (!inputs) return;
  for (int n = 1; n <= 16; ++n) {
    const SearchName gpi("GPI id=\"%d\"", n);
    const Range gpiContent = Content(Find(inputs, gpi.text), gpi.text);
    Store(s, kGpiRefTrigger + n - 1, CopyContent(Find(gpiContent, "Ref-Trigger"), "Ref-Trigger"));
    Store(s, kGpiIcon + n - 1, CopyContent(Find(gpiContent, "Icon"), "Icon"));
  }
}

void ReadSpeedTriggerSettings(Range finfo, FileSettings& s) {
  const Range speedTrigger = Find(finfo, "SpeedTriggerSettings");
  Store(s, kSpeedTriggerSw, TagAttribute(speedTrigger, "sw=\""));
  const Range triggers = Content(speedTrigger, "SpeedTriggerSettings");
  if (!triggers) return;
  for (int n = 1; n <= 5; ++n) {
    const SearchName name("S-Trigger id=\"%d\"", n);
    Store(s, kSTriggerIcon + n - 1, CopyContent(Find(Content(Find(triggers, name.text), name.text), "Icon"), "Icon"));
  }
}

void ReadDeviceInformation(Range finfo, FileSettings& s) {
  const Range device = Content(Find(finfo, "DeviceInformation"), "DeviceInformation");
  if (!device) return;
  Store(s, kSpeedUnit, CopyContent(Find(device, "S-Unit"), "S-Unit"));
  const Range speeds = Content(Find(device, "R-Speed"), "R-Speed");
  for (int n = 1; n <= 5; ++n) {
    const SearchName name("Speed id=\"%d\"", n);
    // A self-closing Speed element's "content" is its attribute text, so its
    // type is found there; with real content only a type inside it counts.
    Store(s, kSpeedType + n - 1, LooseAttribute(Content(Find(speeds, name.text), name.text), "type=\""));
  }
}

// A text of fewer than 4 characters equal to `expected`.
bool ShortTextEquals(Range text, std::string_view expected) {
  return text && text.length < 4 && std::string_view(text.data, text.length) == expected;
}

}  // namespace

bool parse_vinfo(MetadataEngine& engine, const std::string& fileName, const char* vinfo, uint32_t vinfoLength) {
  if (vinfo == nullptr) return false;
  const Range v{vinfo, vinfoLength};
  DeviceInfo info;
  info.fields[kFirmwareVersion] = CopyContent(Find(v, "FirmwareVersion"), "FirmwareVersion");
  const Range recorder = Find(v, "Recorder");
  info.fields[kRecorderModel] = TagAttribute(recorder, "model=\"");
  info.fields[kRecorderSerial] = TagAttribute(recorder, "serial=\"");
  const Range slot = Find(v, "Slot1");
  info.fields[kSlot1Sd] = TagAttribute(slot, "sd=\"");
  info.fields[kSlot1Serial] = TagAttribute(slot, "serial=\"");
  info.fields[kSlot1FwVersion] = TagAttribute(slot, "fwversion=\"");
  info.fields[kWlan0Mac] = TagAttribute(Find(v, "MACAddress"), "wlan0=\"");
  // The latest document of a name wins, even when its V-Info yielded nothing.
  engine.devices.insert_or_assign(fileName, std::move(info));
  return true;
}

bool parse_finfo_settings(const char* finfo, uint32_t finfoLength, FileSettings& settings) {
  if (finfo == nullptr) return true;
  const Range f{finfo, finfoLength};
  Store(settings, kCameraId, CopyContent(Find(f, "CameraID"), "CameraID"));
  ReadTimeSettings(f, settings);
  ReadStreamSettings(f, settings);
  ReadCameraSettings(f, settings);
  ReadTriggerSettings(f, settings);
  ReadSpeedTriggerSettings(f, settings);
  ReadDeviceInformation(f, settings);
  return true;
}

TriggerSummary parse_trigger_summary(const char* finfo, uint32_t finfoLength) {
  TriggerSummary summary;
  if (finfo == nullptr) return summary;
  const Range f{finfo, finfoLength};
  const Range inputs = Content(Find(f, "TriggerSettings"), "TriggerSettings");
  // Only inputs 15 and 16 can carry the speed trigger.
  for (int n = 15; n <= 16 && inputs; ++n) {
    const SearchName gpi("GPI id=\"%d\"", n);
    const Range ref = Content(Find(Content(Find(inputs, gpi.text), gpi.text), "Ref-Trigger"), "Ref-Trigger");
    if (ShortTextEquals(ref, "S1") || ShortTextEquals(ref, "S2") || ShortTextEquals(ref, "S3") ||
        ShortTextEquals(ref, "S4") || ShortTextEquals(ref, "S5")) {
      summary.speedTriggerGpi = n;
      break;
    }
  }
  const Range speedTrigger = Find(f, "SpeedTriggerSettings");
  if (speedTrigger) {
    const auto sw = scan::GetTagAttribute(speedTrigger.data, speedTrigger.length, "sw=\"");
    if (sw && sw->size() < 4 && *sw == "ON") summary.speedTriggerOn = 1;
  }
  return summary;
}

}  // namespace plover
