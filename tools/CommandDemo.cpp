// plovermeta demo: the tour on the bundled example recording.
#include <algorithm>
#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "OutputFile.h"
#include "TimeText.h"
#include "ToolError.h"

#ifndef PLOVERMETA_EXAMPLES_DIR
#define PLOVERMETA_EXAMPLES_DIR "examples/recording"
#endif

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta demo [--examples DIR] [--out DIR] [--force]\n"
    "\n"
    "Works on the bundled example recording: prints what its document holds,\n"
    "the OSD at three moments, and writes every export into a folder.\n"
    "Running plovermeta without arguments does the same.\n"
    "\n"
    "  --examples DIR  the example recording (default: " PLOVERMETA_EXAMPLES_DIR
    ")\n"
    "  --out DIR       the folder for the exports (default: plovermeta-demo)\n"
    "  --force         write over exports left by an earlier run\n";

const char kDocument[] = "20260314_100000.xml";

void Show(const std::string& command) { std::cout << "\n$ plovermeta " << command << "\n" << std::flush; }

// "YYYY-MM-DD hh:mm:ss.mmm" as the osd command takes it.
std::string TimeArgument(uint64_t ms) { return FormatLocal(ms).substr(0, 23); }

}  // namespace

int RunDemo(const std::vector<std::string>& arguments) {
  const Args args =
      Args::Parse({"demo", {{"examples", 0, true}, {"out", 0, true}, {"force", 0, false}}, 0, 0}, arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const std::filesystem::path examples = args.Value("examples").value_or(PLOVERMETA_EXAMPLES_DIR);
  const std::string document = (examples / kDocument).string();
  const std::string out = args.Value("out").value_or("plovermeta-demo");
  const bool force = args.Has("force");

  std::cout << "The example recording: " << examples.string() << "\n";
  Show("info " + document);
  if (int code = RunInfo({document}); code != kExitOk) return code;

  const Recording recording = OpenPath(document);
  const std::vector<int64_t>& times = recording.samples().utcMs();
  if (times.empty() || times.front() == plover::kNoTime) throw InputError(document + " holds no timed samples");
  const auto first = static_cast<uint64_t>(times.front());
  const auto last = static_cast<uint64_t>(times.back());
  // Driving east; with lights, siren and radar after the second log-in,
  // between two samples; the last sample.
  for (uint64_t moment : {std::min(first + 30000, last), std::min(first + 100500, last), last}) {
    const std::string at = TimeArgument(moment);
    Show("osd " + document + " --at \"" + at + "\" --before");
    if (int code = RunOsd({document, "--at", at, "--before"}); code != kExitOk) return code;
  }

  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) throw ToolError(kExitOutput, "cannot make the folder " + out + ": " + error.message());
  const std::string stem = std::filesystem::path(kDocument).stem().string();
  std::vector<std::string> files;
  for (const char* format : {"gpx", "geojson", "csv", "vtt", "srt", "svg"}) {
    const std::string path = (std::filesystem::path(out) / (stem + "." + format)).string();
    RefuseExisting(path, force);
    files.push_back(path);
  }
  size_t i = 0;
  for (const char* format : {"gpx", "geojson", "csv", "vtt", "srt", "svg"}) {
    std::vector<std::string> exportArgs = {document, "--to", format, "-o", files[i++]};
    if (force) exportArgs.push_back("--force");
    std::string shown;
    for (const std::string& a : exportArgs) shown += " " + a;
    Show("export" + shown);
    if (int code = RunExport(exportArgs); code != kExitOk) return code;
  }
  std::cout << "\nThe exports are in the folder " << std::filesystem::absolute(out, error).string() << "\n";
  return kExitOk;
}

}  // namespace plovermeta
