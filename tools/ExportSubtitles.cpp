// The OSD as a subtitle track beside the video: cue n runs from sample n to
// sample n + 1, timed from the first sample; the last lasts as long as the
// one before it (a second when alone).  Lines end with CR LF; a cue's text
// never holds an empty line, which would end it, and its &, < and > are
// entities, so that a name never turns into markup or a timing arrow.
#include "Exporters.h"
#include "TextEscape.h"
#include "TimeText.h"

namespace plovermeta {

namespace {

std::string CleanLine(const std::string& text) {
  std::string line = CueText(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line.empty() ? std::string("-") : line;
}

}  // namespace

std::vector<std::string> CueLines(FileForm form, const Moment& moment) {
  const Sample& s = moment.sample;
  if (form == FileForm::kTrack) return s.lines;
  std::vector<std::string> lines;
  std::string when = s.hasTime ? moment.when : s.ts;
  if (form == FileForm::kContainer || form == FileForm::kTextFile) when = "#" + std::to_string(s.key) + " " + when;
  lines.push_back(when);
  lines.push_back(s.latitude + " " + s.longitude);
  std::string speeds = "own " + s.own + (moment.speedUnit.empty() ? "" : " " + moment.speedUnit);
  if (form == FileForm::kContainer || form == FileForm::kTextFile) {
    speeds += "  radar " + s.radarOwn + " / " + s.radarTarget;
  } else {
    for (size_t i = 0; i < 5; ++i) speeds += "  " + std::to_string(i + 1) + ":" + s.speeds[i];
  }
  lines.push_back(speeds);
  const std::string on = InputsOn(s.gStat);
  lines.push_back("status " + s.gStat + (on.empty() ? "" : " (on: " + on + ")"));
  if (!moment.officers.empty()) lines.push_back("officers " + moment.officers);
  return lines;
}

std::string ExportSubtitles(const ExportInput& input, bool srt) {
  std::vector<const Moment*> timed;
  for (const Moment& moment : input.moments) {
    if (moment.sample.hasTime) timed.push_back(&moment);
  }
  std::string out = srt ? "" : "WEBVTT - OSD of " + CleanLine(input.title) + "\r\n\r\n";
  const uint64_t origin = timed.empty() ? 0 : timed.front()->sample.timeMs;
  for (size_t i = 0; i < timed.size(); ++i) {
    const Sample& s = timed[i]->sample;
    uint64_t start = s.timeMs - origin;
    uint64_t end;
    if (input.form == FileForm::kTrack) {
      start = s.timeMs;  // a track keeps its own play times
      end = s.endMs;
    } else if (i + 1 < timed.size()) {
      end = timed[i + 1]->sample.timeMs - origin;
    } else {
      end = start + (i > 0 ? start - (timed[i - 1]->sample.timeMs - origin) : 1000);
      if (end == start) end = start + 1000;
    }
    out += std::to_string(i + 1) + "\r\n";
    out += FormatPlayTime(start, srt) + " --> " + FormatPlayTime(end, srt);
    if (!srt) out += " align:start line:80%";
    out += "\r\n";
    for (const std::string& line : CueLines(input.form, *timed[i])) out += CleanLine(line) + "\r\n";
    out += "\r\n";
  }
  return out;
}

}  // namespace plovermeta
