// plovermeta osd FILE --at TIME [--before] | --index N: the OSD at a moment.
#include <cstdlib>
#include <iostream>

#include "Commands.h"
#include "Moment.h"
#include "TimeText.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta osd FILE --at TIME [--before] [--form FORM] [--tz ZONE]\n"
    "       plovermeta osd FILE --index N [--before]     (second-generation files)\n"
    "\n"
    "Shows the OSD a viewer lays over the picture at a moment: time, position,\n"
    "own speed and the five speeds (radar speeds for second-generation files),\n"
    "the status row, the source file and the officers logged in, with the\n"
    "sample's own time beside the asked one.\n"
    "\n"
    "  --at TIME     \"YYYY-MM-DD hh:mm:ss[.mmm]\" in the recording's zone, or\n"
    "                followed by Z or UTC+hh:mm (as the tool prints times);\n"
    "                tracks: the play time hh:mm:ss[.ttt]\n"
    "  --index N     second-generation files: the sample's index number\n"
    "  --before      the sample at or before the moment (default: at or after;\n"
    "                tracks show the cue that covers the moment)\n"
    "  --form FORM   read as document, container, text, vtt or binary\n"
    "  --tz ZONE     read the recording's times in ZONE (\"+09:00\", \"EST5\",\n"
    "                \"Asia/Tokyo\") instead of the zone it names\n"
    "\n"
    "Exit code 1 when no sample lies on the asked side of the moment.\n";

}  // namespace

int RunOsd(const std::vector<std::string>& arguments) {
  const Args args = Args::Parse(
      {"osd", {{"at", 0, true}, {"index", 0, true}, {"before", 0, false}, kFormOption, kZoneOption}, 1, 1}, arguments);
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
  if (!mk2 && index) throw UsageError("--index is for second-generation files; use --at TIME");
  const AskedMoment asked = index ? ParseAsked(recording, "index", *index) : ParseAsked(recording, "at", *at);
  const bool before = args.Has("before");
  const plover::Seek seek = before ? plover::Seek::kAtOrBefore : plover::Seek::kAtOrAfter;

  std::optional<plover::Sample> sample;
  switch (asked.kind) {
    case AskedMoment::kInstant:
    case AskedMoment::kPlayTime:  // tracks: the cue that covers it
      sample = recording.At(asked.value, seek);
      break;
    case AskedMoment::kIndex:
      sample = recording.AtKey(static_cast<uint64_t>(asked.value), seek);
      break;
  }
  if (!sample) {
    std::cerr << "plovermeta: nothing "
              << (recording.form() == FileForm::kTrack ? "covers "
                  : before                             ? "at or before "
                                                       : "at or after ")
              << DescribeAsked(recording, asked) << " in " << recording.path() << std::endl;
    return kExitNotFound;
  }
  std::string text = DescribeAsked(recording, asked);
  if (recording.form() != FileForm::kTrack) {
    text += before ? " (sample at or before" : " (sample at or after";
    const std::optional<int64_t> offset = Offset(*sample, asked);
    if (asked.kind == AskedMoment::kInstant && offset && std::llabs(*offset) > 1000) {
      text += ", " + FormatDuration(static_cast<uint64_t>(std::llabs(*offset))) + (*offset < 0 ? " earlier" : " later");
    }
    text += ")";
  }
  std::cout << OsdBlock(recording.form(), MakeMoment(recording, *sample), text);
  return kExitOk;
}

}  // namespace plovermeta
