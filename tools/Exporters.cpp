#include "Exporters.h"

namespace plovermeta {

std::optional<ExportFormat> ExportFormatFromName(const std::string& name) {
  for (ExportFormat format : {ExportFormat::kGpx, ExportFormat::kGeoJson, ExportFormat::kCsv, ExportFormat::kVtt,
                              ExportFormat::kSrt, ExportFormat::kSvg}) {
    if (ExportFormatName(format) == name) return format;
  }
  return std::nullopt;
}

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
