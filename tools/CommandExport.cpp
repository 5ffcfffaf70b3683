// plovermeta export FILE --to FORMAT [-o OUT] [--force].
#include <iostream>

#include "Commands.h"
#include "Exporters.h"
#include "OutputFile.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta export FILE --to FORMAT [-o OUT] [--force] [--form FORM]\n"
    "\n"
    "Writes the route and the OSD in a format other tools read:\n"
    "  gpx      GPX 1.1 track\n"
    "  geojson  a LineString of the route and a Point per sample with its OSD\n"
    "  csv      one row per sample with a header row (RFC 4180)\n"
    "  vtt      the OSD as a WebVTT subtitle track, timed from the first sample\n"
    "  srt      the same as SubRip subtitles\n"
    "  svg      the route to scale and the speed over time beneath it\n"
    "\n"
    "  -o, --output OUT  the file to write (default: standard output)\n"
    "  --force           write over an existing file\n"
    "  --form FORM       read as document, container, text, vtt or binary\n"
    "\n"
    "Samples whose position does not read are left out of gpx, geojson and svg\n"
    "and counted in a warning.\n";

}  // namespace

// Exports `recording` to `format`; returns the bytes and warns about samples
// left out.  Throws when nothing can be drawn.
std::string ExportRecording(const Recording& recording, ExportFormat format) {
  ExportInput input{recording.name(), recording.form(), AllMoments(recording)};
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
  return Export(input, format);
}

int RunExport(const std::vector<std::string>& arguments) {
  const Args args = Args::Parse(
      {"export", {{"to", 0, true}, {"output", 'o', true}, {"force", 0, false}, kFormOption}, 1, 1}, arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const std::optional<std::string> name = args.Value("to");
  if (!name) throw UsageError("'export' needs --to FORMAT (gpx, geojson, csv, vtt, srt or svg)");
  const std::optional<ExportFormat> format = ExportFormatFromName(*name);
  if (!format) throw UsageError("unknown format '" + *name + "' (gpx, geojson, csv, vtt, srt or svg)");
  const std::string output = args.Value("output").value_or("-");
  const bool force = args.Has("force");
  // Refused before any work when the output is there already.
  RefuseExisting(output, force);
  const Recording recording = OpenRecording(args, args.Positionals()[0]);
  WriteOutput(output, ExportRecording(recording, *format), force);
  if (output != "-") std::cout << "wrote " << output << std::endl;
  return kExitOk;
}

}  // namespace plovermeta
