#include "Moment.h"

#include <algorithm>
#include <cstdio>

#include "TimeText.h"
#include "plover/References.h"

namespace plovermeta {

std::string InputsOn(const std::string& gStat) {
  std::string text;
  for (size_t i = 0; i < gStat.size() && i < 24; ++i) {
    if (gStat[i] != '1') continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(i + 1);
  }
  return text;
}

namespace {

// The tool shows texts with their character references decoded.
std::string Text(const plover::Sample& sample, plover::Field field) { return plover::DecodeReferences(sample[field]); }

Sample ToolSample(plover::Form form, const plover::Sample& s) {
  Sample sample;
  sample.key = s.key;
  if (form == plover::Form::kTrack) {
    sample.timeMs = static_cast<uint64_t>(s.writtenMs);
    sample.endMs = static_cast<uint64_t>(s.endMs);
    sample.hasTime = true;
    for (std::string_view line : s.Lines()) sample.lines.push_back(plover::DecodeReferences(line));
    return sample;
  }
  sample.hasTime = s.HasTime();
  sample.timeMs = s.HasTime() ? static_cast<uint64_t>(s.utcMs) : 0;
  sample.ts = Text(s, plover::Field::kTs);
  sample.gStat = Text(s, plover::Field::kStatus);
  sample.latitude = Text(s, plover::Field::kLatitude);
  sample.longitude = Text(s, plover::Field::kLongitude);
  sample.own = Text(s, plover::Field::kOwn);
  sample.fileName = Text(s, plover::Field::kFileName);
  for (size_t i = 0; i < 5; ++i) {
    sample.speeds[i] = Text(s, static_cast<plover::Field>(static_cast<size_t>(plover::Field::kSpeed1) + i));
  }
  sample.radarOwn = Text(s, plover::Field::kRadarOwn);
  sample.radarTarget = Text(s, plover::Field::kRadarTarget);
  return sample;
}

// The first position in a cue's lines: two neighbouring words that read as a
// latitude and a longitude ("4657.2058N 00727.4773E  76 km/h").
std::optional<Position> CuePosition(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    std::vector<std::string> words;
    for (size_t at = line.find_first_not_of(' '); at != std::string::npos; at = line.find_first_not_of(' ', at)) {
      const size_t end = std::min(line.find(' ', at), line.size());
      words.push_back(line.substr(at, end - at));
      at = end;
    }
    for (size_t i = 0; i + 1 < words.size(); ++i) {
      if (std::optional<Position> position = ParsePosition(words[i], words[i + 1])) return position;
    }
  }
  return std::nullopt;
}

}  // namespace

Moment MakeMoment(const plover::Recording& recording, const plover::Sample& sample) {
  const plover::Osd osd = recording.OsdOf(sample);
  Moment moment;
  moment.sample = ToolSample(recording.form(), sample);
  moment.speedUnit = osd.speedUnit;
  moment.position = sample.position;
  if (recording.form() == plover::Form::kTrack) moment.position = CuePosition(moment.sample.lines);
  moment.officers = plover::DecodeReferences(osd.officers);
  const plover::TimeZone& zone = recording.timeZone();
  if (moment.sample.hasTime && recording.form() != plover::Form::kTrack) {
    moment.when = zone.Format(static_cast<int64_t>(moment.sample.timeMs));
  }
  if (osd.login) moment.loginTime = zone.Format(osd.login->utcMs);
  return moment;
}

std::vector<Moment> AllMoments(const plover::Recording& recording) {
  const plover::SampleTable& samples = recording.samples();
  std::vector<Moment> moments;
  moments.reserve(samples.size());
  for (size_t row = 0; row < samples.size(); ++row) moments.push_back(MakeMoment(recording, samples[row]));
  return moments;
}

namespace {

void Line(std::string& out, const char* label, const std::string& value) {
  char head[16];
  std::snprintf(head, sizeof head, "%-10s", label);
  out.append(head).append(value).append("\n");
}

std::string WithUnit(const std::string& value, const std::string& unit) {
  if (value.empty() || unit.empty()) return value;
  return value + " " + unit;
}

}  // namespace

std::string OsdBlock(FileForm form, const Moment& moment, const std::string& asked) {
  const Sample& s = moment.sample;
  std::string out;
  if (!asked.empty()) Line(out, "asked", asked);
  if (form == FileForm::kTrack) {
    Line(out, "cue", FormatPlayTime(s.timeMs) + " --> " + FormatPlayTime(s.endMs));
    if (s.lines.empty()) Line(out, "text", "(no lines)");
    for (size_t i = 0; i < s.lines.size(); ++i) Line(out, i == 0 ? "text" : "", s.lines[i]);
    return out;
  }

  std::string when;
  if (form == FileForm::kContainer || form == FileForm::kTextFile) when = "index " + std::to_string(s.key) + ", ";
  when += s.hasTime ? moment.when : std::string("(time stamp does not read)");
  if (!s.ts.empty()) when += " (TS " + s.ts + ")";
  Line(out, "sample", when);

  std::string position = s.latitude + " " + s.longitude;
  if (moment.position) {
    char degrees[64];
    std::snprintf(degrees, sizeof degrees, " = %.6f, %.6f", moment.position->latitude, moment.position->longitude);
    position += degrees;
  } else {
    position += " (no readable position)";
  }
  Line(out, "position", position);
  Line(out, "own", WithUnit(s.own, moment.speedUnit));
  if (form == FileForm::kContainer || form == FileForm::kTextFile) {
    Line(out, "radar",
         "own " + WithUnit(s.radarOwn, moment.speedUnit) + ", target " + WithUnit(s.radarTarget, moment.speedUnit));
  } else {
    std::string speeds;
    for (size_t i = 0; i < 5; ++i) {
      if (i > 0) speeds += "  ";
      speeds += std::to_string(i + 1) + ": " + (s.speeds[i].empty() ? std::string("-") : s.speeds[i]);
    }
    Line(out, "speeds", speeds);
  }
  const std::string on = InputsOn(s.gStat);
  Line(out, "status", s.gStat + (on.empty() ? std::string(" (no input on)") : " (inputs on: " + on + ")"));
  Line(out, "file", s.fileName);
  if (form != FileForm::kBinary) {
    std::string officers = moment.officers.empty() ? std::string("none logged in") : moment.officers;
    if (!moment.loginTime.empty()) officers += " (since " + moment.loginTime + ")";
    Line(out, "officers", officers);
  }
  return out;
}

}  // namespace plovermeta
