// GPX 1.1 track.  Element order follows the schema: metadata (name, desc,
// time, bounds), then trk (name, src, trkseg of trkpt with time and desc).
#include <algorithm>

#include "Exporters.h"
#include "TextEscape.h"
#include "TimeText.h"

namespace plovermeta {

namespace {

// GPX longitudes lie in [-180, 180).
double GpxLongitude(double longitude) { return longitude >= 180.0 ? longitude - 360.0 : longitude; }

std::string PointDescription(const Moment& moment) {
  const Sample& s = moment.sample;
  std::string desc = "own " + s.own + (moment.speedUnit.empty() ? "" : " " + moment.speedUnit);
  if (!s.radarOwn.empty() || !s.radarTarget.empty()) {
    desc += "; radar own " + s.radarOwn + ", target " + s.radarTarget;
  } else {
    desc += "; speeds";
    for (const std::string& speed : s.speeds) desc += " " + (speed.empty() ? std::string("-") : speed);
  }
  desc += "; status " + s.gStat;
  if (!moment.officers.empty()) desc += "; officers " + moment.officers;
  return desc;
}

}  // namespace

std::string ExportGpx(const ExportInput& input) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"plovermeta\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd\">\n";
  double minLat = 90, maxLat = -90, minLon = 180, maxLon = -180;
  const Moment* first = nullptr;
  for (const Moment& moment : input.moments) {
    if (!moment.position) continue;
    if (first == nullptr) first = &moment;
    minLat = std::min(minLat, moment.position->latitude);
    maxLat = std::max(maxLat, moment.position->latitude);
    minLon = std::min(minLon, GpxLongitude(moment.position->longitude));
    maxLon = std::max(maxLon, GpxLongitude(moment.position->longitude));
  }
  out += "  <metadata>\n    <name>" + XmlEscape(input.title) + "</name>\n";
  out += "    <desc>" + XmlEscape("Route of " + input.title + " (" + FormDescription(input.form) + ")") + "</desc>\n";
  if (first != nullptr && HasInstant(input, *first))
    out += "    <time>" + FormatUtc(first->sample.timeMs) + "</time>\n";
  if (first != nullptr) {
    out += "    <bounds minlat=\"" + FixedNumber(minLat, 7) + "\" minlon=\"" + FixedNumber(minLon, 7) + "\" maxlat=\"" +
           FixedNumber(maxLat, 7) + "\" maxlon=\"" + FixedNumber(maxLon, 7) + "\"/>\n";
  }
  out += "  </metadata>\n  <trk>\n    <name>" + XmlEscape(input.title) + "</name>\n";
  out += "    <src>" + XmlEscape(FormDescription(input.form)) + "</src>\n    <trkseg>\n";
  for (const Moment& moment : input.moments) {
    if (!moment.position) continue;
    out += "      <trkpt lat=\"" + FixedNumber(moment.position->latitude, 7) + "\" lon=\"" +
           FixedNumber(GpxLongitude(moment.position->longitude), 7) + "\">";
    if (HasInstant(input, moment)) out += "<time>" + FormatUtc(moment.sample.timeMs) + "</time>";
    out += "<desc>" + XmlEscape(PointDescription(moment)) + "</desc></trkpt>\n";
  }
  out += "    </trkseg>\n  </trk>\n</gpx>\n";
  return out;
}

}  // namespace plovermeta
