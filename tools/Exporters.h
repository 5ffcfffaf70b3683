// The export formats.  Each turns the moments of one recording into the
// bytes of one file.
#ifndef PLOVERMETA_EXPORTERS_H
#define PLOVERMETA_EXPORTERS_H

#include <optional>
#include <string>
#include <vector>

#include "FileForm.h"
#include "Moment.h"

namespace plovermeta {

struct ExportInput {
  std::string title;  // the source's file name
  FileForm form;
  std::vector<Moment> moments;
};

enum class ExportFormat { kGpx, kGeoJson, kCsv, kVtt, kSrt, kSvg };

// The format of a --to name, in any case.
std::optional<ExportFormat> ExportFormatFromName(const std::string& name);
// The format an output file's extension names ("route.GPX", "a.json").
std::optional<ExportFormat> ExportFormatFromPath(const std::string& path);
// The companion file naming a CSV's column types: "a.csv" -> "a.csvt".
std::string CsvTypesPath(const std::string& path);
std::string ExportFormatName(ExportFormat format);  // also the file extension
// True for the formats drawn from positions (the track exports).
bool NeedsPositions(ExportFormat format);

// GPX 1.1: one track of the samples with a readable position.
std::string ExportGpx(const ExportInput& input);
// GeoJSON: the route (a LineString, or a Point for one position), then one
// Point per sample with a readable position, its OSD texts as properties.
std::string ExportGeoJson(const ExportInput& input);
// CSV: a header row and one row per sample (RFC 4180, CRLF line ends).
std::string ExportCsv(const ExportInput& input);
// The column types of that CSV as a .csvt line (GDAL's companion file).
std::string ExportCsvTypes(const ExportInput& input);
// A subtitle track of the OSD, timed from the first sample: WebVTT or SRT.
std::string ExportSubtitles(const ExportInput& input, bool srt);
// SVG: the route to scale with start and end marked, and the own speed over
// time beneath it.
std::string ExportSvg(const ExportInput& input);

std::string Export(const ExportInput& input, ExportFormat format);

// Whether a moment's time is an instant: tracks carry play times.
inline bool HasInstant(const ExportInput& input, const Moment& moment) {
  return moment.sample.hasTime && input.form != FileForm::kTrack;
}

// The OSD lines of a moment as a subtitle cue shows them.
std::vector<std::string> CueLines(FileForm form, const Moment& moment);

}  // namespace plovermeta

#endif
