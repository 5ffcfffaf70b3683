// plovermeta: a recorder's metadata without a viewer.  See `plovermeta
// --help`.
#include <algorithm>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "Commands.h"
#include "PloverMetaParser.h"
#include "ToolError.h"

namespace {

const char kUsage[] =
    "Usage: plovermeta COMMAND [ARGS]\n"
    "\n"
    "Shows what a vehicle recorder's OSD showed, plays a recording's metadata\n"
    "back and exports the route and the OSD.\n"
    "\n"
    "commands:\n"
    "  info FILE...                     what a file holds\n"
    "  osd FILE --at TIME [--before]    the OSD at a moment (--index N for\n"
    "                                   second-generation files)\n"
    "  play FILE [--from T] [--to T]    every sample in order\n"
    "  export FILE --to FORMAT [-o OUT]\n"
    "                                   to gpx, geojson, csv, vtt, srt or svg\n"
    "  review FILE [--video VIDEO]      one HTML page: the video with its OSD,\n"
    "                                   the route and a timeline\n"
    "  demo                             the tour on the bundled example (also\n"
    "                                   what plovermeta does without arguments)\n"
    "  --version                        the version of plovermeta\n"
    "\n"
    "A file cut off before its end (power lost, a copy interrupted) is read\n"
    "up to its last complete sample with a warning; --strict makes that an\n"
    "error.\n"
    "\n"
    "Run plovermeta COMMAND --help for a command's options.  Times are read\n"
    "in the recording's own zone (--tz ZONE names another) as\n"
    "\"YYYY-MM-DD hh:mm:ss[.mmm]\", or with Z or UTC+hh:mm after them; the\n"
    "tool prints its own times with their UTC offset.\n"
    "\n"
    "exit codes: 0 done, 1 nothing at the asked moment, 2 usage error,\n"
    "3 input missing or unreadable, 4 output exists or cannot be written\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace plovermeta;
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto strict = std::remove(arguments.begin(), arguments.end(), std::string("--strict"));
  SetStrict(strict != arguments.end());
  arguments.erase(strict, arguments.end());
  try {
    if (arguments.empty()) return RunDemo({});
    const std::string command = arguments.front();
    arguments.erase(arguments.begin());
    if (command == "--help" || command == "-h" || command == "help") {
      std::cout << kUsage;
      return kExitOk;
    }
    if (command == "--version") {
      std::cout << "plovermeta " PLOVERMETAPARSER_VERSION_STRING "\n";
      return kExitOk;
    }
    if (command == "info") return RunInfo(arguments);
    if (command == "osd") return RunOsd(arguments);
    if (command == "play") return RunPlay(arguments);
    if (command == "export") return RunExport(arguments);
    if (command == "demo") return RunDemo(arguments);
    if (command == "review") return RunReview(arguments);
    throw UsageError("unknown command '" + command +
                     "' (info, osd, play, export, review or demo; see plovermeta --help)");
  } catch (const ToolError& error) {
    std::cout.flush();
    std::cerr << "plovermeta: error: " << error.what() << std::endl;
    return error.code();
  } catch (const std::bad_alloc&) {
    std::cerr << "plovermeta: error: out of memory" << std::endl;
    return kExitInput;
  } catch (const std::exception& error) {
    std::cerr << "plovermeta: error: " << error.what() << std::endl;
    return kExitInput;
  }
}
