#include "ToolRun.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace plover::test {

std::string Quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

namespace {

RunResult Run(const std::string& runner, const std::string& program, const std::vector<std::string>& arguments,
              const std::string& folder, const char* zone) {
  std::string command = "cd " + Quote(folder) + " && TZ=" + Quote(zone) + " ";
  if (!runner.empty()) command += Quote(runner) + " ";
  command += Quote(program);
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  const std::string out = folder + "/.stdout";
  const std::string err = folder + "/.stderr";
  command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
  const int status = std::system(command.c_str());
  RunResult result;
  if (status != -1 && WIFEXITED(status)) result.code = WEXITSTATUS(status);
  result.out = ReadFile(out);
  result.err = ReadFile(err);
  return result;
}

}  // namespace

RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                     const char* zone) {
  return Run(PLOVERMETA_RUNNER, program, arguments, folder, zone);
}

RunResult RunHostProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder) {
  return Run(std::string(), program, arguments, folder, "UTC0");
}

bool HaveCommand(const std::string& command) {
  return std::system(("command -v " + Quote(command) + " >/dev/null 2>&1").c_str()) == 0;
}

size_t CountLines(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  size_t count = 0;
  for (std::string line; std::getline(in, line);) count += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
  return count;
}

}  // namespace plover::test
