// plovermeta play FILE [--from TIME] [--to TIME]: every sample in order.
#include <iostream>

#include "Commands.h"
#include "Moment.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta play FILE [--from TIME] [--to TIME] [--form FORM]\n"
    "\n"
    "Steps through the recording as a viewer does and prints one OSD block\n"
    "per sample, in order, separated by empty lines.\n"
    "\n"
    "  --from TIME   start at this moment (included)\n"
    "  --to TIME     stop at this moment (included)\n"
    "                TIME as for osd --at; index numbers for second-generation\n"
    "                files, play times hh:mm:ss.ttt for tracks\n"
    "  --form FORM   read as document, container, text, vtt or binary\n";

}  // namespace

int RunPlay(const std::vector<std::string>& arguments) {
  const Args args = Args::Parse({"play", {{"from", 0, true}, {"to", 0, true}, kFormOption}, 1, 1}, arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const Recording recording = OpenRecording(args, args.Positionals()[0]);
  const FileForm form = recording.form();
  std::optional<uint64_t> from, to;
  if (auto text = args.Value("from")) from = ParseMomentKey(form, "from", *text);
  if (auto text = args.Value("to")) to = ParseMomentKey(form, "to", *text);
  if (from && to && *from > *to) throw UsageError("--from lies after --to");

  size_t shown = 0;
  for (const Moment& moment : AllMoments(recording)) {
    const uint64_t key = moment.sample.key;
    if ((from && key < *from) || (to && key > *to)) continue;
    if (shown++ > 0) std::cout << "\n";
    std::cout << OsdBlock(form, moment);
  }
  std::cout.flush();
  if (shown == 0) Warn("no sample in the asked span of " + recording.path());
  return kExitOk;
}

}  // namespace plovermeta
