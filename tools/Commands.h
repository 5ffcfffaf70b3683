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

// Shared by the commands.
inline const OptionSpec kFormOption{"form", 0, true};
// Opens `path` in the form that --form names, or the form its bytes tell;
// with `needSamples`, a file without a sample is an input error.
Recording OpenRecording(const Args& args, const std::string& path, bool needSamples = true);
// Opens `path` in `form`, or in the form its bytes tell, its times read as
// the library keys them (TimeText.h).  Throws an input error when it cannot.
// A cut-off file gives a warning line, or with --strict an input error.
Recording OpenPath(const std::string& path, std::optional<FileForm> form = std::nullopt);
// A moment given on the command line (--at, --from, --to) for `form`:
// a local time for documents and binary records, a play time for tracks, an
// index number for second-generation files.  Throws a usage error naming
// `option` when the text does not read.
uint64_t ParseMomentKey(FileForm form, const std::string& option, const std::string& text);
// An index number (0 to 4294967295).
std::optional<uint64_t> ParseIndexNumber(const std::string& text);
// The key of a moment as people read it.
std::string DescribeKey(FileForm form, uint64_t key);
// The bytes of `recording` in `format`; warns about samples left out and
// throws when no position reads for a format drawn from positions.
std::string ExportRecording(const Recording& recording, ExportFormat format);
// --strict, before or after the command: a cut-off file is an error.
void SetStrict(bool strict);
// "at byte 41000, 178 complete samples recovered".
std::string RecoveryText(const plover::Recovery& recovery);
// Prints a warning line on stderr.
void Warn(const std::string& message);

}  // namespace plovermeta

#endif
