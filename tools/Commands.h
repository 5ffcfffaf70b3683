// The commands of plovermeta.  Each takes the arguments after its name,
// prints to standard output and returns the exit code; errors are thrown as
// ToolError.
#ifndef PLOVERMETA_COMMANDS_H
#define PLOVERMETA_COMMANDS_H

#include <optional>
#include <string>
#include <vector>

#include "Args.h"
#include "Exporters.h"
#include "FileForm.h"
#include "plover/Recording.h"

namespace plovermeta {

using plover::Recording;

int RunInfo(const std::vector<std::string>& arguments);
int RunOsd(const std::vector<std::string>& arguments);
int RunPlay(const std::vector<std::string>& arguments);
int RunExport(const std::vector<std::string>& arguments);
int RunDemo(const std::vector<std::string>& arguments);
int RunReview(const std::vector<std::string>& arguments);

// Shared by the commands.
inline const OptionSpec kFormOption{"form", 0, true};
inline const OptionSpec kZoneOption{"tz", 0, true};
// Opens `path` in the form that --form names, or the form its bytes tell,
// its times read in the zone --tz names, else in the recording's own; with
// `needSamples`, a file without a sample is an input error.
Recording OpenRecording(const Args& args, const std::string& path, bool needSamples = true);
// Opens `path` in `form` (or the form its bytes tell) and `zone` (or its
// own).  Says once per run when the recording names no zone and the
// machine's is used.  Throws an input error when it cannot.  A cut-off file
// gives a warning line, or with --strict an input error.
Recording OpenPath(const std::string& path, std::optional<FileForm> form = std::nullopt,
                   std::optional<plover::TimeZone> zone = std::nullopt);

// A moment asked on the command line (--at, --from, --to, --index).
struct AskedMoment {
  enum Kind { kInstant, kPlayTime, kIndex } kind;
  int64_t value;  // UTC milliseconds, play milliseconds or an index number
};
// Reads `text`, given with `option`, for `recording`: a play time for tracks,
// an index number with --index (second-generation files only), a clock time
// otherwise (in the recording's zone unless it names one); for `indexOrTime`
// a second-generation file also takes a plain number as an index number.
// Throws a usage error naming `option` when the text does not read.
AskedMoment ParseAsked(const Recording& recording, const std::string& option, const std::string& text,
                       bool indexOrTime = false);
// Where `sample` lies against an asked moment: <0 before, 0 at, >0 after;
// nothing when the sample cannot be placed (no time).
std::optional<int64_t> Offset(const plover::Sample& sample, const AskedMoment& asked);
// The asked moment as people read it.
std::string DescribeAsked(const Recording& recording, const AskedMoment& asked);
// An index number (0 to 4294967295).
std::optional<uint64_t> ParseIndexNumber(const std::string& text);
// The bytes of `recording` in `format`; warns about samples left out and
// throws when no position reads for a format drawn from positions.
std::string ExportRecording(const Recording& recording, ExportFormat format);
// The review page of a recording titled `title`, its data given as JSON.
std::string ReviewPage(const std::string& title, const std::string& dataJson);
// --strict, before or after the command: a cut-off file is an error.
void SetStrict(bool strict);
// "at byte 41000, 178 complete samples recovered".
std::string RecoveryText(const plover::Recovery& recovery);
// Prints a warning line on stderr.
void Warn(const std::string& message);

}  // namespace plovermeta

#endif
