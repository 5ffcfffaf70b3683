#include "ReviewData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "Commands.h"
#include "Markup.h"
#include "Moment.h"
#include "TextEscape.h"
#include "TimeText.h"
#include "ToolError.h"
#include "plover/References.h"

namespace plovermeta {

namespace {

// Texts that mostly repeat or grow from the one before them (time stamps,
// positions, speeds): each is written against the one before it, "" when it
// is the same, else the length of the shared beginning (0 to 35, one base-36
// digit) followed by the rest.  Every kTextBlock-th text is written whole, so
// that the page rebuilds any text from at most kTextBlock entries and reads
// no column whole on loading.
constexpr size_t kTextBlock = 256;

class TextColumn {
 public:
  void Add(const std::string& text) {
    out_ += out_.empty() ? "[" : ",";
    const bool whole = count_++ % kTextBlock == 0;
    if (!whole && text == previous_) {
      out_ += "\"\"";
      return;
    }
    size_t shared = 0;
    while (!whole && shared < 35 && shared < text.size() && shared < previous_.size() &&
           text[shared] == previous_[shared]) {
      ++shared;
    }
    out_ += JsonString("0123456789abcdefghijklmnopqrstuvwxyz"[shared] + text.substr(shared));
    previous_ = text;
  }
  std::string Json() const { return out_.empty() ? "[]" : out_ + "]"; }

 private:
  std::string previous_;
  std::string out_;
  size_t count_ = 0;
};

// Whole numbers written as the difference from the one before.
class DeltaColumn {
 public:
  void Add(int64_t value) {
    out_ += out_.empty() ? "[" : ",";
    out_ += std::to_string(value - previous_);
    previous_ = value;
  }
  std::string Json() const { return out_.empty() ? "[]" : out_ + "]"; }

 private:
  int64_t previous_ = 0;
  std::string out_;
};

// Degrees as the OSD prints them (six decimals), in millionths.
int64_t Millionths(double degrees) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", degrees);
  std::string digits;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c != '.') digits += *c;
  }
  return std::strtoll(digits.c_str(), nullptr, 10);
}

std::string Pair(const std::string& label, const std::string& value) {
  return "[" + JsonString(label) + "," + JsonString(value.empty() ? "-" : value) + "]";
}

std::string Section(const std::string& title, const std::vector<std::string>& rows) {
  std::string out = "{\"title\":" + JsonString(title) + ",\"rows\":[";
  for (size_t i = 0; i < rows.size(); ++i) out += (i ? "," : "") + rows[i];
  return out + "]}";
}

// Each element `name` of `text` (a start tag "<name " or "<name>") up to its
// end tag.
std::vector<std::string_view> Elements(std::string_view text, const std::string& name) {
  std::vector<std::string_view> found;
  const std::string open = "<" + name;
  const std::string close = "</" + name + ">";
  for (size_t at = text.find(open); at != std::string_view::npos; at = text.find(open, at + 1)) {
    const size_t after = at + open.size();
    if (after >= text.size() || (text[after] != ' ' && text[after] != '>')) continue;
    const size_t end = text.find(close, after);
    if (end == std::string_view::npos) break;
    found.push_back(text.substr(at, end + close.size() - at));
  }
  return found;
}

// The recording start of the video file the document's file list names
// `video` (by name, else by name without extension), with the listed name.
std::optional<std::pair<uint64_t, std::string>> ListedStart(const Recording& recording, const std::string& video) {
  const std::filesystem::path wanted = std::filesystem::path(video).filename();
  const std::string fileInfo = recording.RawSection(Recording::Section::kSettings);
  std::optional<std::pair<uint64_t, std::string>> byStem;
  for (std::string_view file : Elements(fileInfo, "File")) {
    const std::string name = ElementContent(file, "F-Name");
    const std::optional<int64_t> utc = ParseClockTime(ElementContent(file, "RecST"), recording.timeZone());
    const std::optional<uint64_t> start = utc && *utc >= 0 ? std::optional<uint64_t>(*utc) : std::nullopt;
    if (name.empty() || !start) continue;
    if (name == wanted.string()) return std::make_pair(*start, name);
    if (!byStem && std::filesystem::path(name).stem() == wanted.stem()) byStem = std::make_pair(*start, name);
  }
  return byStem;
}

// The names the recording gives the general-purpose inputs ("LIGHTS").
std::string InputNames(const Recording& recording) {
  std::vector<std::string> names(24);
  for (size_t i = 0; i < 16; ++i) {
    names[i] = recording.form() == FileForm::kDocument ? recording.settings().inputs[i].icon
                                                       : recording.fileInfo().inputIcons[i];
  }
  std::string out = "[";
  for (size_t i = 0; i < names.size(); ++i) out += (i ? "," : "") + JsonString(plover::DecodeReferences(names[i]));
  return out + "]";
}

std::vector<std::string> Panel(const Recording& recording) {
  std::vector<std::string> sections;
  const std::string name = std::filesystem::path(recording.path()).filename().string();
  if (recording.form() == FileForm::kDocument) {
    const plover::Device& device = recording.device();
    const plover::DocumentSettings& settings = recording.settings();
    sections.push_back(
        Section("Recorder", {Pair("model", device.model), Pair("serial", device.serial),
                             Pair("firmware", device.firmware), Pair("camera id", settings.cameraId),
                             Pair("time zone", settings.timeZoneRule), Pair("speed unit", settings.speedUnit),
                             Pair("triggers", settings.triggerSw), Pair("speed triggers", settings.speedTriggerSw)}));
    std::vector<std::string> cameras;
    for (size_t n = 0; n < 5; ++n) {
      const plover::CameraSettings& c = settings.cameras[n];
      if (c.name.empty() && c.mode.empty() && c.resolution.empty()) continue;
      std::string text = c.mode;
      for (const std::string& part : {c.resolution, c.fps.empty() ? c.fps : c.fps + " fps", c.bps,
                                      c.audioBps.empty() ? c.audioBps : "audio " + c.audioBps, c.aspect, c.fov}) {
        if (!part.empty()) text += (text.empty() ? "" : ", ") + part;
      }
      cameras.push_back(Pair(std::to_string(n + 1) + " " + c.name, text));
    }
    sections.push_back(Section("Cameras", cameras));
  } else if (recording.form() == FileForm::kContainer || recording.form() == FileForm::kTextFile) {
    const plover::FileInfo& info = recording.fileInfo();
    sections.push_back(Section(
        "Recorder",
        {Pair("file", info.fileName), Pair("time zone", info.timeZoneGmt.empty() ? info.timeZone : info.timeZoneGmt),
         Pair("vehicle", info.vId), Pair("unit", info.unitName), Pair("agency", info.agency), Pair("area", info.area),
         Pair("shift", info.shiftPattern), Pair("speed unit", info.speedUnit)}));
  }
  sections.insert(sections.begin(),
                  Section("Recording", {Pair("file", name), Pair("form", FormDescription(recording.form()))}));
  return sections;
}

std::string Logins(const Recording& recording) {
  std::string out = "[";
  const std::vector<plover::Login>& logins = recording.logins();
  for (size_t i = 0; i < logins.size(); ++i) {
    const plover::Login& login = logins[i];
    std::string names = "[";
    for (const plover::Officer& officer : login.officers) {
      if (!officer.Empty()) {
        names += (names.size() > 1 ? "," : "") + JsonString(plover::DecodeReferences(officer.Display()));
      }
    }
    std::string fields = "[";
    for (const std::string& field : login.fields) {
      if (!field.empty()) fields += (fields.size() > 1 ? "," : "") + JsonString(plover::DecodeReferences(field));
    }
    out += (i ? "," : "") + std::string("{\"s\":") + std::to_string(login.utcMs / 1000) +
           ",\"officers\":" + JsonString(plover::DecodeReferences(OfficersText(login.officers))) +
           ",\"since\":" + JsonString(recording.timeZone().Format(login.utcMs)) + ",\"names\":" + names +
           "],\"fields\":" + fields + "]}";
  }
  return out + "]";
}

}  // namespace

std::string ReviewData(const Recording& recording, const ReviewVideo& video) {
  const FileForm form = recording.form();
  const bool track = form == FileForm::kTrack;
  const bool mk2 = form == FileForm::kContainer || form == FileForm::kTextFile;

  // The page works in time order; a sample whose time does not read has no
  // place on the timeline.
  std::vector<Sample> samples;
  for (const Moment& moment : AllMoments(recording)) samples.push_back(moment.sample);
  const size_t all = samples.size();
  samples.erase(std::remove_if(samples.begin(), samples.end(), [](const Sample& s) { return !s.hasTime; }),
                samples.end());
  std::stable_sort(samples.begin(), samples.end(),
                   [](const Sample& a, const Sample& b) { return a.timeMs < b.timeMs; });

  DeltaColumn times, keys, ends, latitudes, longitudes;
  TextColumn ts, latitudeTexts, longitudeTexts, own, radarOwn, radarTarget, gStat, fileName;
  std::array<TextColumn, 5> speeds;
  std::string noPosition = "[", lines = "[", zone = "[";
  int64_t offset = 0;
  uint64_t hour = UINT64_MAX;
  for (size_t i = 0; i < samples.size(); ++i) {
    const Sample& s = samples[i];
    times.Add(static_cast<int64_t>(s.timeMs));
    if (track) {
      ends.Add(static_cast<int64_t>(s.endMs));
      std::string cue = "[";
      for (size_t k = 0; k < s.lines.size(); ++k) cue += (k ? "," : "") + JsonString(s.lines[k]);
      lines += (i ? "," : "") + cue + "]";
      continue;
    }
    // The printed offset is looked at once an hour of samples.
    if (s.timeMs / 3600000 != hour) {
      hour = s.timeMs / 3600000;
      const int64_t now = recording.timeZone().OffsetAt(static_cast<int64_t>(s.timeMs));
      if (zone.size() == 1 || now != offset) {
        zone += (zone.size() > 1 ? "," : "") + std::string("[") + std::to_string(s.timeMs) + "," + std::to_string(now) +
                "]";
      }
      offset = now;
    }
    if (mk2) keys.Add(static_cast<int64_t>(s.key));
    ts.Add(s.ts);
    latitudeTexts.Add(s.latitude);
    longitudeTexts.Add(s.longitude);
    if (const std::optional<Position> p = ParsePosition(s.latitude, s.longitude)) {
      latitudes.Add(Millionths(p->latitude));
      longitudes.Add(Millionths(p->longitude));
    } else {
      noPosition += (noPosition.size() > 1 ? "," : "") + std::to_string(i);
    }
    own.Add(s.own);
    for (size_t k = 0; k < 5; ++k) speeds[k].Add(s.speeds[k]);
    radarOwn.Add(s.radarOwn);
    radarTarget.Add(s.radarTarget);
    gStat.Add(s.gStat);
    fileName.Add(s.fileName);
  }

  // Where the video starts on the recording's time line.
  uint64_t videoStart = track || samples.empty() ? 0 : samples.front().timeMs;
  std::string startFrom = track ? "the track's play time" : "the first sample";
  std::optional<std::pair<uint64_t, std::string>> listed;
  if (!video.path.empty() && form == FileForm::kDocument) listed = ListedStart(recording, video.path);
  if (listed) {
    videoStart = listed->first;
    startFrom = "the file list (" + listed->second + ")";
    if (video.startText) Warn("the file list names the video; --video-start is not used");
  } else if (video.startText) {
    const AskedMoment start = ParseAsked(recording, "video-start", *video.startText);
    if (start.value < 0) throw UsageError("--video-start '" + *video.startText + "' lies before 1970");
    videoStart = static_cast<uint64_t>(start.value);
    startFrom = "--video-start";
  }

  std::string out = "{\"title\":" + JsonString(recording.name()) + ",\"form\":" + JsonString(FormOptionName(form));
  out += ",\"unit\":" + JsonString(recording.speedUnit());
  out += ",\"video\":" + (video.path.empty() ? std::string("null") : JsonString(video.path));
  out += ",\"videoStart\":" + std::to_string(videoStart) + ",\"videoStartFrom\":" + JsonString(startFrom);
  out += ",\"leftOut\":" + std::to_string(all - samples.size());
  out += ",\"count\":" + std::to_string(samples.size()) + ",\"block\":" + std::to_string(kTextBlock);
  out += ",\"t\":" + times.Json();
  if (track) {
    out += ",\"end\":" + ends.Json() + ",\"lines\":" + lines + "]";
  } else {
    if (mk2) out += ",\"key\":" + keys.Json();
    out += ",\"zone\":" + zone + "]";
    out += ",\"lat6\":" + latitudes.Json() + ",\"lon6\":" + longitudes.Json() + ",\"noPos\":" + noPosition + "]";
    out += ",\"cols\":{\"ts\":" + ts.Json() + ",\"lat\":" + latitudeTexts.Json() + ",\"lon\":" + longitudeTexts.Json() +
           ",\"own\":" + own.Json() + ",\"gStat\":" + gStat.Json() + ",\"file\":" + fileName.Json();
    if (mk2) {
      out += ",\"radarOwn\":" + radarOwn.Json() + ",\"radarTarget\":" + radarTarget.Json();
    } else {
      for (size_t k = 0; k < 5; ++k) out += ",\"s" + std::to_string(k + 1) + "\":" + speeds[k].Json();
    }
    out += "}";
  }
  out += ",\"logins\":" + Logins(recording);
  out += ",\"fileOfficers\":" +
         JsonString(mk2 ? plover::DecodeReferences(OfficersText(recording.fileInfo().officers)) : std::string());
  out += ",\"inputNames\":" + InputNames(recording);
  std::string panel = "[";
  for (const std::string& section : Panel(recording)) panel += (panel.size() > 1 ? "," : "") + section;
  out += ",\"panel\":" + panel + "]}";
  return out;
}

}  // namespace plovermeta
