// plovermeta play FILE [--from TIME] [--to TIME]: every sample in order.
#include <iostream>

#include "Commands.h"
#include "Moment.h"
#include "ToolError.h"

namespace plovermeta {

namespace {

const char kHelp[] =
    "usage: plovermeta play FILE [--from TIME] [--to TIME] [--form FORM] [--tz ZONE]\n"
    "\n"
    "Steps through the recording as a viewer does and prints one OSD block\n"
    "per sample, in order, separated by empty lines.\n"
    "\n"
    "  --from TIME   start at this moment (included)\n"
    "  --to TIME     stop at this moment (included)\n"
    "                TIME as for osd --at; second-generation files also take\n"
    "                index numbers, tracks play times hh:mm:ss[.ttt]\n"
    "  --form FORM   read as document, container, text, vtt or binary\n"
    "  --tz ZONE     read the recording's times in ZONE instead of its own\n";

// Whether `sample` lies within the asked span.
bool Within(const plover::Sample& sample, const std::optional<AskedMoment>& from,
            const std::optional<AskedMoment>& to) {
  if (from) {
    const std::optional<int64_t> offset = Offset(sample, *from);
    if (!offset || *offset < 0) return false;
  }
  if (to) {
    const std::optional<int64_t> offset = Offset(sample, *to);
    if (!offset || *offset > 0) return false;
  }
  return true;
}

}  // namespace

int RunPlay(const std::vector<std::string>& arguments) {
  const Args args =
      Args::Parse({"play", {{"from", 0, true}, {"to", 0, true}, kFormOption, kZoneOption}, 1, 1}, arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const Recording recording = OpenRecording(args, args.Positionals()[0]);
  std::optional<AskedMoment> from, to;
  if (auto text = args.Value("from")) from = ParseAsked(recording, "from", *text, true);
  if (auto text = args.Value("to")) to = ParseAsked(recording, "to", *text, true);
  if (from && to && from->kind == to->kind && from->value > to->value) throw UsageError("--from lies after --to");

  size_t shown = 0;
  const plover::SampleTable& samples = recording.samples();
  for (size_t row = 0; row < samples.size(); ++row) {
    const plover::Sample sample = samples[row];
    if (!Within(sample, from, to)) continue;
    if (shown++ > 0) std::cout << "\n";
    std::cout << OsdBlock(recording.form(), MakeMoment(recording, sample));
  }
  std::cout.flush();
  if (shown == 0) Warn("no sample in the asked span of " + recording.path());
  return kExitOk;
}

}  // namespace plovermeta
