// CSV (RFC 4180): a header row, one row per sample, CRLF line ends.  Every
// sample has a row; the degree columns stay empty where the position does
// not read.  Tracks give one row per cue.
#include "Exporters.h"
#include "TextEscape.h"
#include "TimeText.h"

namespace plovermeta {

namespace {

void Row(std::string& out, const std::vector<std::string>& fields) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += CsvField(fields[i]);
  }
  out += "\r\n";
}

}  // namespace

std::string ExportCsv(const ExportInput& input) {
  std::string out;
  if (input.form == FileForm::kTrack) {
    Row(out, {"start", "end", "text"});
    for (const Moment& moment : input.moments) {
      std::string text;
      for (const std::string& line : moment.sample.lines) text += (text.empty() ? "" : "\n") + line;
      Row(out, {FormatPlayTime(moment.sample.timeMs), FormatPlayTime(moment.sample.endMs), text});
    }
    return out;
  }
  Row(out, {"time_utc",     "ts",         "index",  "latitude",  "longitude", "lat_deg", "lon_deg",
            "own",          "speed1",     "speed2", "speed3",    "speed4",    "speed5",  "radar_own",
            "radar_target", "speed_unit", "status", "inputs_on", "file",      "officers"});
  const bool mk2 = input.form == FileForm::kContainer || input.form == FileForm::kTextFile;
  for (const Moment& moment : input.moments) {
    const Sample& s = moment.sample;
    Row(out, {s.hasTime ? FormatUtc(s.timeMs) : std::string(),
              s.ts,
              mk2 ? std::to_string(s.key) : std::string(),
              s.latitude,
              s.longitude,
              moment.position ? FixedNumber(moment.position->latitude, 7) : std::string(),
              moment.position ? FixedNumber(moment.position->longitude, 7) : std::string(),
              s.own,
              s.speeds[0],
              s.speeds[1],
              s.speeds[2],
              s.speeds[3],
              s.speeds[4],
              s.radarOwn,
              s.radarTarget,
              moment.speedUnit,
              s.gStat,
              InputsOn(s.gStat),
              s.fileName,
              moment.officers});
  }
  return out;
}

}  // namespace plovermeta
