// Errors that end a plovermeta command: one line for stderr and the exit
// code that goes with it.
#ifndef PLOVERMETA_TOOLERROR_H
#define PLOVERMETA_TOOLERROR_H

#include <stdexcept>
#include <string>

namespace plovermeta {

// Exit codes of the tool.
enum ExitCode : int {
  kExitOk = 0,
  kExitNotFound = 1,  // nothing at the asked moment
  kExitUsage = 2,     // unknown command or option, missing or malformed argument
  kExitInput = 3,     // missing file, unreadable form, nothing usable inside
  kExitOutput = 4,    // output exists (without --force) or cannot be written
};

class ToolError : public std::runtime_error {
 public:
  ToolError(int exitCode, const std::string& message) : std::runtime_error(message), code_(exitCode) {}
  int code() const { return code_; }

 private:
  int code_;
};

inline ToolError UsageError(const std::string& message) { return ToolError(kExitUsage, message); }
inline ToolError InputError(const std::string& message) { return ToolError(kExitInput, message); }

}  // namespace plovermeta

#endif
