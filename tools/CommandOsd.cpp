// plovermeta osd FILE --at TIME [--before] | --index N: the OSD at a moment.
#include <iostream>

#include "Commands.h"
#include "Moment.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta osd FILE --at TIME [--before] [--form FORM]\n"
    "       plovermeta osd FILE --index N [--before]     (second-generation files)\n"
    "\n"
    "Shows the OSD a viewer lays over the picture at a moment: time, position,\n"
    "own speed and the five speeds (radar speeds for second-generation files),\n"
    "the status row, the source file and the officers logged in, with the\n"
    "sample's own time beside the asked one.\n"
    "\n"
    "  --at TIME     documents and binary records: \"YYYY-MM-DD hh:mm:ss[.mmm]\",\n"
    "                local time as the documents hold it; tracks: hh:mm:ss.ttt\n"
    "  --index N     second-generation files: the sample's index number\n"
    "  --before      the sample at or before the moment (default: at or after;\n"
    "                tracks show the cue that covers the moment)\n"
    "  --form FORM   read as document, container, text, vtt or binary\n"
    "\n"
    "Exit code 1 when no sample lies on the asked side of the moment.\n";

}  // namespace

int RunOsd(const std::vector<std::string>& arguments) {
  const Args args =
      Args::Parse({"osd", {{"at", 0, true}, {"index", 0, true}, {"before", 0, false}, kFormOption}, 1, 1}, arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const std::optional<std::string> at = args.Value("at");
  const std::optional<std::string> index = args.Value("index");
  if (at && index) throw UsageError("give either --at or --index, not both");
  if (!at && !index) throw UsageError("'osd' needs --at TIME (or --index N for second-generation files)");

  const Recording recording = OpenRecording(args, args.Positionals()[0]);
  const bool mk2 = recording.form() == FileForm::kContainer || recording.form() == FileForm::kTextFile;
  if (mk2 && at) throw UsageError("second-generation files are asked by index number: use --index N");
  if (!mk2 && index) throw UsageError("--index is for second-generation files; use --at TIME");
  const uint64_t key = ParseMomentKey(recording.form(), mk2 ? "index" : "at", mk2 ? *index : *at);
  const bool before = args.Has("before");

  const std::optional<plover::Sample> sample =
      recording.AtKey(key, before ? plover::Seek::kAtOrBefore : plover::Seek::kAtOrAfter);
  if (!sample) {
    std::cerr << "plovermeta: nothing "
              << (recording.form() == FileForm::kTrack ? "covers "
                  : before                             ? "at or before "
                                                       : "at or after ")
              << DescribeKey(recording.form(), key) << " in " << recording.path() << std::endl;
    return kExitNotFound;
  }
  const Moment moment = MakeMoment(recording, *sample);
  std::string asked = DescribeKey(recording.form(), key);
  if (recording.form() != FileForm::kTrack) asked += before ? " (sample at or before)" : " (sample at or after)";
  std::cout << OsdBlock(recording.form(), moment, asked);
  return kExitOk;
}

}  // namespace plovermeta
