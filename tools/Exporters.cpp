#include "Exporters.h"

#include <cctype>

namespace plovermeta {

std::optional<ExportFormat> ExportFormatFromName(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "json") return ExportFormat::kGeoJson;
  for (ExportFormat format : {ExportFormat::kGpx, ExportFormat::kGeoJson, ExportFormat::kCsv, ExportFormat::kVtt,
                              ExportFormat::kSrt, ExportFormat::kSvg}) {
    if (ExportFormatName(format) == lower) return format;
  }
  return std::nullopt;
}

namespace {

// Where the extension of the file name in `path` starts (its dot), or npos.
size_t ExtensionDot(const std::string& path) {
  const size_t dot = path.find_last_of("./\\");
  return dot != std::string::npos && path[dot] == '.' ? dot : std::string::npos;
}

}  // namespace

std::optional<ExportFormat> ExportFormatFromPath(const std::string& path) {
  const size_t dot = ExtensionDot(path);
  if (dot == std::string::npos) return std::nullopt;
  return ExportFormatFromName(path.substr(dot + 1));
}

std::string CsvTypesPath(const std::string& path) { return path.substr(0, ExtensionDot(path)) + ".csvt"; }

std::string ExportFormatName(ExportFormat format) {
  switch (format) {
    case ExportFormat::kGpx:
      return "gpx";
    case ExportFormat::kGeoJson:
      return "geojson";
    case ExportFormat::kCsv:
      return "csv";
    case ExportFormat::kVtt:
      return "vtt";
    case ExportFormat::kSrt:
      return "srt";
    case ExportFormat::kSvg:
      return "svg";
  }
  return "?";
}

bool NeedsPositions(ExportFormat format) {
  return format == ExportFormat::kGpx || format == ExportFormat::kGeoJson || format == ExportFormat::kSvg;
}

std::string Export(const ExportInput& input, ExportFormat format) {
  switch (format) {
    case ExportFormat::kGpx:
      return ExportGpx(input);
    case ExportFormat::kGeoJson:
      return ExportGeoJson(input);
    case ExportFormat::kCsv:
      return ExportCsv(input);
    case ExportFormat::kVtt:
      return ExportSubtitles(input, false);
    case ExportFormat::kSrt:
      return ExportSubtitles(input, true);
    case ExportFormat::kSvg:
      return ExportSvg(input);
  }
  return {};
}

}  // namespace plovermeta
