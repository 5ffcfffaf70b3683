#include "Moment.h"

#include <cstdio>

#include "TimeText.h"

namespace plovermeta {

std::string OfficersText(const std::array<Officer, 2>& officers) {
  std::string text;
  for (const Officer& officer : officers) {
    if (officer.Empty()) continue;
    if (!text.empty()) text += ", ";
    text += officer.Display();
  }
  return text;
}

std::string InputsOn(const std::string& gStat) {
  std::string text;
  for (size_t i = 0; i < gStat.size() && i < 24; ++i) {
    if (gStat[i] != '1') continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(i + 1);
  }
  return text;
}

Moment MakeMoment(const Recording& recording, const Sample& sample, const std::string& speedUnit) {
  Moment moment;
  moment.sample = sample;
  moment.speedUnit = speedUnit;
  moment.position = ParsePosition(sample.latitude, sample.longitude);
  if (recording.form() == FileForm::kDocument && sample.hasTime) {
    if (std::optional<Login> login = recording.LoginAt(sample.timeMs)) {
      moment.officers = OfficersText(login->officers);
      moment.loginTime = FormatLocal(login->timeS * 1000);
    }
  } else if (recording.form() == FileForm::kContainer || recording.form() == FileForm::kTextFile) {
    moment.officers = OfficersText(recording.FileInfo().officers);
  }
  return moment;
}

std::vector<Moment> AllMoments(const Recording& recording) {
  const std::string unit = recording.SpeedUnit();
  std::array<Officer, 2> fileOfficers{};
  const bool mk2 = recording.form() == FileForm::kContainer || recording.form() == FileForm::kTextFile;
  if (mk2) fileOfficers = recording.FileInfo().officers;
  std::vector<Moment> moments;
  for (const Sample& sample : recording.Samples()) {
    if (mk2) {
      // The file's officers are the same for every sample: asked once.
      Moment moment;
      moment.sample = sample;
      moment.speedUnit = unit;
      moment.position = ParsePosition(sample.latitude, sample.longitude);
      moment.officers = OfficersText(fileOfficers);
      moments.push_back(std::move(moment));
    } else {
      moments.push_back(MakeMoment(recording, sample, unit));
    }
  }
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
  when += s.hasTime ? FormatLocal(s.timeMs) : std::string("(time stamp does not read)");
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
