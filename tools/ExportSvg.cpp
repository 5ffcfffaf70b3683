// SVG picture: the route drawn to scale (equirectangular around the route's
// middle latitude, north up) with start and end marked and a scale bar, and
// beneath it the own speed over time with labelled axes.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Exporters.h"
#include "TextEscape.h"
#include "TimeText.h"

namespace plovermeta {

namespace {

constexpr double kWidth = 800;
constexpr double kMargin = 40;
constexpr double kRouteHeight = 480;
constexpr double kChartTop = kRouteHeight + 40;
constexpr double kChartHeight = 220;
constexpr double kHeight = kChartTop + kChartHeight + 70;
constexpr double kMetresPerDegree = 111320.0;

std::string N(double value) { return FixedNumber(value, 1); }

// 1, 2 or 5 times a power of ten, at most `limit`.
double NiceStep(double limit) {
  if (limit <= 0) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(limit)));
  for (double factor : {5.0, 2.0, 1.0}) {
    if (factor * power <= limit) return factor * power;
  }
  return power;
}

std::string Text(double x, double y, const std::string& text, const char* anchor = "start", int size = 12) {
  return "<text x=\"" + N(x) + "\" y=\"" + N(y) + "\" font-size=\"" + std::to_string(size) + "\" text-anchor=\"" +
         anchor + "\">" + XmlEscape(text) + "</text>\n";
}

std::string Route(const ExportInput& input) {
  std::vector<Position> points;
  for (const Moment& moment : input.moments) {
    if (moment.position) points.push_back(*moment.position);
  }
  std::string out = Text(kMargin, 24, "Route of " + input.title, "start", 16);
  if (points.empty()) return out + Text(kWidth / 2, kRouteHeight / 2, "no readable positions", "middle");

  double minLat = points[0].latitude, maxLat = minLat, minLon = points[0].longitude, maxLon = minLon;
  for (const Position& p : points) {
    minLat = std::min(minLat, p.latitude);
    maxLat = std::max(maxLat, p.latitude);
    minLon = std::min(minLon, p.longitude);
    maxLon = std::max(maxLon, p.longitude);
  }
  const double midLat = (minLat + maxLat) / 2 * 3.14159265358979323846 / 180.0;
  const double metresX = (maxLon - minLon) * kMetresPerDegree * std::cos(midLat);
  const double metresY = (maxLat - minLat) * kMetresPerDegree;
  const double boxW = kWidth - 2 * kMargin;
  const double boxH = kRouteHeight - 40 - kMargin;
  // Pixels per metre; a route that does not move gets a 100 m wide view.
  // The route keeps 24 pixels off the box's edges.
  const double scale = std::min((boxW - 48) / std::max(metresX, 100.0), (boxH - 48) / std::max(metresY, 100.0));
  const double offsetX = kMargin + (boxW - metresX * scale) / 2;
  const double offsetY = 40 + (boxH - metresY * scale) / 2;
  auto x = [&](const Position& p) {
    return offsetX + (p.longitude - minLon) * kMetresPerDegree * std::cos(midLat) * scale;
  };
  auto y = [&](const Position& p) { return offsetY + (maxLat - p.latitude) * kMetresPerDegree * scale; };

  out += "<rect x=\"" + N(kMargin) + "\" y=\"40\" width=\"" + N(boxW) + "\" height=\"" + N(boxH) +
         "\" fill=\"#f4f6f0\" stroke=\"#b0b0b0\"/>\n";
  out += "<polyline fill=\"none\" stroke=\"#1f5fbf\" stroke-width=\"3\" stroke-linejoin=\"round\" points=\"";
  for (size_t i = 0; i < points.size(); ++i) out += (i ? " " : "") + N(x(points[i])) + "," + N(y(points[i]));
  out += "\"/>\n";
  const Position& start = points.front();
  const Position& end = points.back();
  out += "<circle cx=\"" + N(x(start)) + "\" cy=\"" + N(y(start)) + "\" r=\"7\" fill=\"#2e9e3e\"/>\n";
  out += Text(x(start) + 10, y(start) - 10, "start");
  out +=
      "<rect x=\"" + N(x(end) - 6) + "\" y=\"" + N(y(end) - 6) + "\" width=\"12\" height=\"12\" fill=\"#c62828\"/>\n";
  out += Text(x(end) + 10, y(end) + 18, "end");

  // Scale bar of a round length, about a fifth of the box.
  const double barMetres = NiceStep(boxW / 5 / scale);
  const double barY = 40 + boxH - 16;
  out += "<line x1=\"" + N(kMargin + 12) + "\" y1=\"" + N(barY) + "\" x2=\"" + N(kMargin + 12 + barMetres * scale) +
         "\" y2=\"" + N(barY) + "\" stroke=\"#000\" stroke-width=\"3\"/>\n";
  const std::string barText = barMetres >= 1000 ? FixedNumber(barMetres / 1000, barMetres >= 10000 ? 0 : 1) + " km"
                                                : FixedNumber(barMetres, 0) + " m";
  out += Text(kMargin + 12, barY - 6, barText);
  out += Text(kWidth - kMargin - 12, 60, "N \u2191", "end", 14);
  return out;
}

std::string Chart(const ExportInput& input) {
  struct Point {
    double seconds, speed;
  };
  std::vector<Point> points;
  uint64_t origin = 0;
  bool haveOrigin = false;
  for (const Moment& moment : input.moments) {
    const Sample& s = moment.sample;
    if (!s.hasTime) continue;
    if (!haveOrigin) {
      origin = s.timeMs;
      haveOrigin = true;
    }
    char* end = nullptr;
    const double speed = std::strtod(s.own.c_str(), &end);
    if (s.own.empty() || end == s.own.c_str() || !std::isfinite(speed)) continue;
    points.push_back({static_cast<double>(s.timeMs - origin) / 1000.0, speed});
  }
  const std::string unit = input.moments.empty() ? std::string() : input.moments.front().speedUnit;
  std::string out = Text(kMargin, kChartTop - 12, "Own speed over time", "start", 16);
  const double left = kMargin + 40;
  const double right = kWidth - kMargin;
  const double top = kChartTop;
  const double bottom = kChartTop + kChartHeight;
  if (points.empty()) return out + Text(kWidth / 2, top + kChartHeight / 2, "no speeds to draw", "middle");

  double maxSeconds = 1;
  double maxSpeed = 1;
  for (const Point& p : points) {
    maxSeconds = std::max(maxSeconds, p.seconds);
    maxSpeed = std::max(maxSpeed, p.speed);
  }
  const double speedStep = NiceStep(maxSpeed / 4);
  const double speedTop = std::ceil(maxSpeed / speedStep) * speedStep;
  const double timeStep = std::max(1.0, NiceStep(maxSeconds / 6));
  auto px = [&](double seconds) { return left + seconds / maxSeconds * (right - left); };
  auto py = [&](double speed) { return bottom - speed / speedTop * (bottom - top); };

  for (double v = 0; v <= speedTop + speedStep / 2; v += speedStep) {
    out += "<line x1=\"" + N(left) + "\" y1=\"" + N(py(v)) + "\" x2=\"" + N(right) + "\" y2=\"" + N(py(v)) +
           "\" stroke=\"#e0e0e0\"/>\n";
    out += Text(left - 6, py(v) + 4, FixedNumber(v, 0), "end", 11);
  }
  for (double t = 0; t <= maxSeconds + 1e-9; t += timeStep) {
    out += "<line x1=\"" + N(px(t)) + "\" y1=\"" + N(bottom) + "\" x2=\"" + N(px(t)) + "\" y2=\"" + N(bottom + 5) +
           "\" stroke=\"#000\"/>\n";
    const auto whole = static_cast<unsigned>(t);
    out += Text(px(t), bottom + 18,
                std::to_string(whole / 60) + ":" + (whole % 60 < 10 ? "0" : "") + std::to_string(whole % 60), "middle",
                11);
  }
  out += "<line x1=\"" + N(left) + "\" y1=\"" + N(bottom) + "\" x2=\"" + N(right) + "\" y2=\"" + N(bottom) +
         "\" stroke=\"#000\"/>\n";
  out += "<line x1=\"" + N(left) + "\" y1=\"" + N(top) + "\" x2=\"" + N(left) + "\" y2=\"" + N(bottom) +
         "\" stroke=\"#000\"/>\n";
  out += "<polyline fill=\"none\" stroke=\"#c0392b\" stroke-width=\"2\" points=\"";
  for (size_t i = 0; i < points.size(); ++i)
    out += (i ? " " : "") + N(px(points[i].seconds)) + "," + N(py(points[i].speed));
  out += "\"/>\n";
  out += Text((left + right) / 2, bottom + 40, "time since the first sample (min:s)", "middle");
  out += "<text x=\"14\" y=\"" + N((top + bottom) / 2) +
         "\" font-size=\"12\" text-anchor=\"middle\" transform=\"rotate(-90 14 " + N((top + bottom) / 2) + ")\">" +
         XmlEscape("own speed" + (unit.empty() ? std::string() : " (" + unit + ")")) + "</text>\n";
  return out;
}

}  // namespace

std::string ExportSvg(const ExportInput& input) {
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    N(kWidth) + "\" height=\"" + N(kHeight) + "\" viewBox=\"0 0 " + N(kWidth) + " " + N(kHeight) +
                    "\" font-family=\"sans-serif\">\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  out += Route(input);
  out += Chart(input);
  out += "</svg>\n";
  return out;
}

}  // namespace plovermeta
