// Runs plovermeta (or another program of the project) as a process in a
// temporary folder, with TZ set, and collects its exit code and output.
#ifndef PLOVER_TESTS_TOOLS_TOOLRUN_H
#define PLOVER_TESTS_TOOLS_TOOLRUN_H

#include <string>
#include <vector>

namespace plover::test {

struct RunResult {
  int code = -1;
  std::string out;
  std::string err;
};

// Single-quoted for the shell.
std::string Quote(const std::string& text);

// Runs one of the project's programs with `arguments` (each quoted) in
// `folder` under the time zone `zone`, through the build's runner when it
// has one (qemu-i386 for the 32-bit build).
RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                     const char* zone = "UTC0");

// Runs a program of the machine (xmllint, python3) in the same way, never
// through the runner.
RunResult RunHostProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder);

// True when `command` is found on PATH.
bool HaveCommand(const std::string& command);

std::string ReadFile(const std::string& path);

// Lines of `text` that start with `prefix`.
size_t CountLines(const std::string& text, const std::string& prefix);

}  // namespace plover::test

#endif
