// Errors of the recording interface.  Every failure is thrown as
// plover::Error: an operation either gives its answer or throws, so a failure
// cannot pass unnoticed.  The message names the file and says what to do.
#ifndef PLOVER_ERROR_H
#define PLOVER_ERROR_H

#include <stdexcept>
#include <string>

namespace plover {

enum class ErrorCode {
  kNoSuchFile,   // the path names nothing, or a folder
  kUnreadable,   // the file cannot be opened or read
  kUnknownForm,  // the first bytes fit none of the forms; name the form
  kRefused,      // the library refused the contents
  kEmpty,        // the file holds nothing of its form (no sample, no cue)
  kBadTimeZone,  // a zone rule or name that does not read
  kBadArgument,  // a call that does not fit the recording (e.g. a row out of range)
};

class Error : public std::runtime_error {
 public:
  Error(ErrorCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
  ErrorCode code() const noexcept { return code_; }

 private:
  ErrorCode code_;
};

}  // namespace plover

#endif
