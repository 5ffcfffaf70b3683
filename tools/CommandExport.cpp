// plovermeta export FILE --to FORMAT [-o OUT] [--force].
#include <iostream>

#include "Commands.h"
#include "Exporters.h"
#include "OutputFile.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta export FILE [--to FORMAT] [-o OUT] [--force] [--form FORM] [--tz ZONE]\n"
    "\n"
    "Writes the route and the OSD in a format other tools read:\n"
    "  gpx      GPX 1.1 track\n"
    "  geojson  a LineString of the route and a Point per sample with its OSD\n"
    "  csv      one row per sample with a header row (RFC 4180)\n"
    "  vtt      the OSD as a WebVTT subtitle track, timed from the first sample\n"
    "  srt      the same as SubRip subtitles\n"
    "  svg      the route to scale and the speed over time beneath it\n"
    "\n"
    "  --to FORMAT       one of those, in any case; may be left out when OUT's\n"
    "                    extension names it (route.gpx, a.geojson or a.json, ...)\n"
    "  -o, --output OUT  the file to write (default, or -: standard output);\n"
    "                    a csv file gets a .csvt beside it naming its column types\n"
    "  --force           write over an existing file\n"
    "  --form FORM       read as document, container, text, vtt or binary\n"
    "  --tz ZONE         read the recording's times in ZONE instead of its own\n"
    "\n"
    "Samples whose position does not read are left out of gpx, geojson and svg\n"
    "and counted in a warning.\n";

// The moments of `recording` to export to `format`; warns about samples left
// out and throws when nothing can be drawn.
ExportInput ExportSource(const Recording& recording, ExportFormat format) {
  ExportInput input{recording.name(), recording.form(), AllMoments(recording)};
  if (input.moments.empty()) {
    throw InputError(recording.path() + " holds no sample; nothing to write as " + ExportFormatName(format));
  }
  if (NeedsPositions(format)) {
    size_t unreadable = 0;
    for (const Moment& moment : input.moments) unreadable += moment.position ? 0 : 1;
    if (unreadable == input.moments.size()) {
      throw InputError(recording.path() + " holds no readable position; nothing to write as " +
                       ExportFormatName(format));
    }
    if (unreadable > 0) {
      Warn(std::to_string(unreadable) + " of " + std::to_string(input.moments.size()) +
           " samples have no readable position and are left out of the " + ExportFormatName(format));
    }
  }
  return input;
}

}  // namespace

std::string ExportRecording(const Recording& recording, ExportFormat format) {
  return Export(ExportSource(recording, format), format);
}

int RunExport(const std::vector<std::string>& arguments) {
  const Args args = Args::Parse(
      {"export", {{"to", 0, true}, {"output", 'o', true}, {"force", 0, false}, kFormOption, kZoneOption}, 1, 1},
      arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const std::string output = args.Value("output").value_or("-");
  const std::optional<std::string> name = args.Value("to");
  std::optional<ExportFormat> format;
  if (name) {
    format = ExportFormatFromName(*name);
    if (!format) throw UsageError("unknown format '" + *name + "' (gpx, geojson, csv, vtt, srt or svg)");
  } else {
    format = ExportFormatFromPath(output);
    if (!format) throw UsageError("'export' needs --to FORMAT (gpx, geojson, csv, vtt, srt or svg)");
  }
  const bool force = args.Has("force");
  // Refused before any work when the output is there already.
  const bool types = *format == ExportFormat::kCsv && output != "-";
  const std::string typesPath = CsvTypesPath(output);
  RefuseExisting(output, force);
  if (types) RefuseExisting(typesPath, force);
  const Recording recording = OpenRecording(args, args.Positionals()[0]);
  const ExportInput input = ExportSource(recording, *format);
  WriteOutput(output, Export(input, *format), force);
  if (types) WriteOutput(typesPath, ExportCsvTypes(input), force);
  if (output != "-") std::cout << "wrote " << output << std::endl;
  return kExitOk;
}

}  // namespace plovermeta
