// GeoJSON (RFC 7946): positions as [longitude, latitude]; the route is a
// LineString, or a Point when one sample has a position (a LineString needs
// two); speeds are numbers (null where the recorder wrote none).
#include "Exporters.h"
#include "TextEscape.h"
#include "TimeText.h"

namespace plovermeta {

namespace {

std::string Coordinates(const Position& position) {
  return "[" + FixedNumber(position.longitude, 7) + "," + FixedNumber(position.latitude, 7) + "]";
}

void Property(std::string& out, const char* name, const std::string& value) {
  if (out.back() != '{') out += ",";
  out += JsonString(name) + ":" + JsonString(value);
}

void NumberProperty(std::string& out, const char* name, const std::string& value) {
  if (out.back() != '{') out += ",";
  out += JsonString(name) + ":" + JsonNumber(value);
}

}  // namespace

std::string ExportGeoJson(const ExportInput& input) {
  std::string line;
  size_t points = 0;
  const Moment* first = nullptr;
  const Moment* last = nullptr;
  for (const Moment& moment : input.moments) {
    if (!moment.position) continue;
    line += (points++ == 0 ? "" : ",") + Coordinates(*moment.position);
    if (first == nullptr) first = &moment;
    last = &moment;
  }
  std::string out = "{\"type\":\"FeatureCollection\",\"features\":[\n";
  out += "{\"type\":\"Feature\",\"geometry\":";
  out += points == 1 ? "{\"type\":\"Point\",\"coordinates\":" + line + "}"
                     : "{\"type\":\"LineString\",\"coordinates\":[" + line + "]}";
  out += ",\"properties\":{";
  Property(out, "name", input.title);
  Property(out, "source", FormDescription(input.form));
  out += ",\"samples\":" + std::to_string(points);
  if (first != nullptr && HasInstant(input, *first)) Property(out, "start", FormatUtc(first->sample.timeMs));
  if (last != nullptr && HasInstant(input, *last)) Property(out, "end", FormatUtc(last->sample.timeMs));
  out += "}}";
  for (const Moment& moment : input.moments) {
    if (!moment.position) continue;
    const Sample& s = moment.sample;
    out +=
        ",\n{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":" + Coordinates(*moment.position) +
        "},\"properties\":{";
    if (HasInstant(input, moment)) Property(out, "time", FormatUtc(s.timeMs));
    Property(out, "ts", s.ts);
    if (input.form == FileForm::kContainer || input.form == FileForm::kTextFile) {
      out += ",\"index\":" + std::to_string(s.key);
    }
    Property(out, "latitude", s.latitude);
    Property(out, "longitude", s.longitude);
    NumberProperty(out, "own", s.own);
    if (input.form == FileForm::kContainer || input.form == FileForm::kTextFile) {
      NumberProperty(out, "radarOwn", s.radarOwn);
      NumberProperty(out, "radarTarget", s.radarTarget);
    } else {
      for (size_t i = 0; i < 5; ++i) NumberProperty(out, ("speed" + std::to_string(i + 1)).c_str(), s.speeds[i]);
    }
    Property(out, "speedUnit", moment.speedUnit);
    Property(out, "status", s.gStat);
    Property(out, "inputsOn", InputsOn(s.gStat));
    Property(out, "file", s.fileName);
    Property(out, "officers", moment.officers);
    out += "}}";
  }
  out += "\n]}\n";
  return out;
}

}  // namespace plovermeta
