// plovermeta info FILE...: what each file holds.
#include <cstdio>
#include <iostream>

#include "Commands.h"
#include "Moment.h"
#include "TimeText.h"
#include "ToolError.h"
#include "plover/References.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta info FILE... [--form FORM] [--tz ZONE]\n"
    "\n"
    "Tells what each file holds: the recorder (model, serial, firmware), the\n"
    "cameras and their recording settings, the time span and count of\n"
    "samples, the log-ins and the files a document lists per camera and data\n"
    "type.  Reads metadata documents, second-generation files (container or\n"
    "text form), WebVTT tracks and binary sample records, recognised from\n"
    "their first bytes.\n"
    "\n"
    "  --form FORM   read as document, container, text, vtt or binary\n"
    "  --tz ZONE     read the recording's times in ZONE instead of its own\n";

void Line(const char* label, const std::string& value) {
  char head[16];
  std::snprintf(head, sizeof head, "  %-11s", label);
  std::cout << head << plover::DecodeReferences(value) << "\n";
}

std::string Joined(const std::vector<std::pair<const char*, std::string>>& parts) {
  std::string text;
  for (const auto& [name, value] : parts) {
    if (value.empty()) continue;
    if (!text.empty()) text += ", ";
    text += name;
    if (*name != '\0') text += " ";
    text += value;
  }
  return text.empty() ? std::string("-") : text;
}

// The zone the times are read in and where it came from.
void ZoneUsed(const Recording& recording) {
  if (recording.form() == FileForm::kTrack) return;  // play times
  static const char* const kOrigins[] = {"the recording's own", "from --tz", "the machine's: the recording names none"};
  Line("times in", recording.timeZone().name() + " (" + kOrigins[static_cast<int>(recording.zoneOrigin())] + ")");
}

void SampleSummary(const Recording& recording) {
  ZoneUsed(recording);
  const plover::SampleTable& samples = recording.samples();
  if (samples.empty()) {
    Line(recording.form() == FileForm::kTrack ? "cues" : "samples", "none");
    return;
  }
  const plover::Sample first = samples[0];
  const plover::Sample last = samples[samples.size() - 1];
  std::string span;
  if (recording.form() == FileForm::kTrack) {
    span = FormatPlayTime(static_cast<uint64_t>(first.writtenMs)) + " to " +
           FormatPlayTime(static_cast<uint64_t>(last.endMs));
    Line("cues", std::to_string(samples.size()) + ", " + span);
    return;
  }
  span = std::to_string(samples.size());
  if (first.HasTime() && last.HasTime()) {
    span += ", " + recording.timeZone().Format(first.utcMs) + " to " + recording.timeZone().Format(last.utcMs) + " (" +
            FormatDuration(static_cast<uint64_t>(last.utcMs - first.utcMs)) + ")";
  }
  if (plover::IsSecondGeneration(recording.form())) {
    span += ", index " + std::to_string(first.key) + " to " + std::to_string(last.key);
  }
  Line("samples", span);
  size_t readable = 0;
  for (const double latitude : samples.latitudes()) readable += latitude == latitude ? 1 : 0;  // NaN: none
  Line("positions", std::to_string(readable) + " readable, " + std::to_string(samples.size() - readable) +
                        " without a readable position");
}

void DocumentInfo(const Recording& recording) {
  const plover::Device& device = recording.device();
  Line("recorder", Joined({{"model", device.model}, {"serial", device.serial}, {"firmware", device.firmware}}));
  if (!device.slotCard.empty() || !device.wlanMac.empty()) {
    Line("", Joined({{"card", device.slotCard}, {"card serial", device.slotSerial}, {"wlan0", device.wlanMac}}));
  }
  const plover::DocumentSettings& settings = recording.settings();
  Line("camera id", settings.cameraId.empty() ? "-" : settings.cameraId);
  Line("time zone", settings.timeZoneRule.empty() ? "-" : settings.timeZoneRule);
  Line("speed unit", settings.speedUnit.empty() ? "-" : settings.speedUnit);
  bool anyCamera = false;
  for (size_t n = 0; n < 5; ++n) {
    const plover::CameraSettings& c = settings.cameras[n];
    const std::string text = Joined({{"", c.name.empty() ? "(no name)" : c.name},
                                     {"mode", c.mode},
                                     {"resolution", c.resolution},
                                     {"fps", c.fps},
                                     {"bps", c.bps},
                                     {"audio", c.audioBps},
                                     {"aspect", c.aspect},
                                     {"fov", c.fov}});
    if (c.name.empty() && c.mode.empty() && c.resolution.empty()) continue;
    Line(anyCamera ? "" : "cameras", std::to_string(n + 1) + ": " + text);
    anyCamera = true;
  }
  if (!anyCamera) Line("cameras", "no settings");

  SampleSummary(recording);

  const std::vector<plover::Login>& logins = recording.logins();
  if (logins.empty()) Line("log-ins", "none");
  for (size_t i = 0; i < logins.size(); ++i) {
    const std::string officers = OfficersText(logins[i].officers);
    Line(i == 0 ? "log-ins" : "",
         recording.timeZone().Format(logins[i].utcMs) + "  " + (officers.empty() ? "-" : officers));
  }

  static const char* const kTypes[] = {"video", "audio", "x", "w"};
  bool anyFile = false;
  for (int type = 0; type < 4; ++type) {
    for (int channel = 1; channel <= 16; ++channel) {
      const std::vector<std::string> files = recording.Files(static_cast<plover::DataType>(type), channel);
      if (files.empty()) continue;
      std::string list;
      for (const std::string& name : files) list += (list.empty() ? "" : ", ") + name;
      Line(anyFile ? "" : "files",
           std::string(type == 1 ? "mic " : "camera ") + std::to_string(channel) + " " + kTypes[type] + ": " + list);
      anyFile = true;
    }
  }
  if (!anyFile) Line("files", "none listed");
}

void Mk2Info(const Recording& recording) {
  const plover::FileInfo& info = recording.fileInfo();
  const std::string& zone = info.timeZoneGmt.empty() ? info.timeZone : info.timeZoneGmt;
  Line("file name", info.fileName.empty() ? "-" : info.fileName);
  Line("time zone", zone.empty() ? "-" : zone);
  Line("unit", Joined({{"vehicle", info.vId},
                       {"unit", info.unitName},
                       {"area", info.area},
                       {"agency", info.agency},
                       {"shift", info.shiftPattern}}));
  Line("speed unit", info.speedUnit.empty() ? "-" : info.speedUnit);
  const std::string officers = OfficersText(info.officers);
  Line("officers", officers.empty() ? "none" : officers);
  SampleSummary(recording);
}

}  // namespace

int RunInfo(const std::vector<std::string>& arguments) {
  const Args args = Args::Parse({"info", {kFormOption, kZoneOption}, 1, SIZE_MAX}, arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  int result = kExitOk;
  bool firstFile = true;
  for (const std::string& path : args.Positionals()) {
    try {
      const Recording recording = OpenRecording(args, path, false);
      if (!firstFile) std::cout << "\n";
      firstFile = false;
      std::cout << path << ": " << FormDescription(recording.form()) << "\n";
      if (recording.recovery().cutOff) Line("cut off", RecoveryText(recording.recovery()));
      switch (recording.form()) {
        case FileForm::kDocument:
          DocumentInfo(recording);
          break;
        case FileForm::kContainer:
        case FileForm::kTextFile:
          Mk2Info(recording);
          break;
        case FileForm::kTrack:
        case FileForm::kBinary:
          SampleSummary(recording);
          break;
      }
      std::cout.flush();
    } catch (const ToolError& error) {
      if (error.code() == kExitUsage) throw;
      std::cout.flush();
      std::cerr << "plovermeta: error: " << error.what() << std::endl;
      if (result == kExitOk) result = error.code();
    }
  }
  return result;
}

}  // namespace plovermeta
