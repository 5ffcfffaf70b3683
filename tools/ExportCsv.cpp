// CSV (RFC 4180): a header row, one row per sample, CRLF line ends.  Every
// sample has a row; the degree columns stay empty where the position does
// not read.  Tracks give one row per cue.
//
// Beside a file, a .csvt line names each column's type for readers that
// guess types from the values: a status row of 0/1 flags is text, not a
// number, and a speed column is a number only where every row holds one.
#include "Exporters.h"
#include "TextEscape.h"
#include "TimeText.h"

namespace plovermeta {

namespace {

// What a column holds: text, a UTC time, or a number where every row has
// one (an empty field counts as none).
enum class Kind { kText, kTime, kNumber };

struct Table {
  std::vector<std::string> header;
  std::vector<Kind> kinds;
  std::vector<std::vector<std::string>> rows;
};

Table MakeTable(const ExportInput& input) {
  Table table;
  if (input.form == FileForm::kTrack) {
    table.header = {"start", "end", "text"};
    table.kinds = {Kind::kText, Kind::kText, Kind::kText};
    for (const Moment& moment : input.moments) {
      std::string text;
      for (const std::string& line : moment.sample.lines) text += (text.empty() ? "" : "\n") + line;
      table.rows.push_back({FormatPlayTime(moment.sample.timeMs), FormatPlayTime(moment.sample.endMs), text});
    }
    return table;
  }
  table.header = {"time_utc",     "ts",         "index",  "latitude",  "longitude", "lat_deg", "lon_deg",
                  "own",          "speed1",     "speed2", "speed3",    "speed4",    "speed5",  "radar_own",
                  "radar_target", "speed_unit", "status", "inputs_on", "file",      "officers"};
  const Kind t = Kind::kText, n = Kind::kNumber;
  table.kinds = {Kind::kTime, t, n, t, t, n, n, n, n, n, n, n, n, n, n, t, t, t, t, t};
  const bool mk2 = input.form == FileForm::kContainer || input.form == FileForm::kTextFile;
  for (const Moment& moment : input.moments) {
    const Sample& s = moment.sample;
    table.rows.push_back({s.hasTime ? FormatUtc(s.timeMs) : std::string(),
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
  return table;
}

void Row(std::string& out, const std::vector<std::string>& fields) {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += CsvField(fields[i]);
  }
  out += "\r\n";
}

// The type a reader should give a number column: Integer when every value
// is a whole number, Real when every value is a number, else String.
std::string NumberType(const Table& table, size_t column) {
  bool whole = true;
  for (const std::vector<std::string>& row : table.rows) {
    const std::string& value = row[column];
    if (value.empty()) continue;
    if (JsonNumber(value) == "null") return "String";
    if (value.find('.') != std::string::npos) whole = false;
  }
  return whole ? "Integer" : "Real";
}

}  // namespace

std::string ExportCsv(const ExportInput& input) {
  const Table table = MakeTable(input);
  std::string out;
  Row(out, table.header);
  for (const std::vector<std::string>& row : table.rows) Row(out, row);
  return out;
}

std::string ExportCsvTypes(const ExportInput& input) {
  const Table table = MakeTable(input);
  std::string out;
  for (size_t i = 0; i < table.kinds.size(); ++i) {
    if (i > 0) out += ',';
    switch (table.kinds[i]) {
      case Kind::kText:
        out += "\"String\"";
        break;
      case Kind::kTime:
        out += "\"DateTime\"";
        break;
      case Kind::kNumber:
        out += "\"" + NumberType(table, i) + "\"";
        break;
    }
  }
  return out + "\r\n";
}

}  // namespace plovermeta
