// Caption play times: hh:mm:ss.ttt texts to milliseconds.
#ifndef PLOVER_CAPTIONS_CUETIME_H
#define PLOVER_CAPTIONS_CUETIME_H

#include <cstddef>
#include <cstdint>

namespace plover {

// The value every caption time takes when its text does not scan.
constexpr int64_t kCueTimeInvalid = -1;

// Reads a cue time the way the scanf format "%03d:%02d:%02d.%03d" reads it:
// white space before each number is skipped, each number is an optional sign
// and digits, at most 3 (hours, milliseconds) or 2 (minutes, seconds)
// characters long counting the sign, and the ':', ':' and '.' between them
// must follow directly.  Returns ((h * 60 + m) * 60 + s) * 1000 + ms, or
// kCueTimeInvalid when fewer than four numbers can be read.
//
// The range form reads at most `length` bytes, as if they were followed by a
// NUL; a NUL inside the range ends the text as well.
int64_t ParseCueTime(const char* text, size_t length);
// Same for a NUL-terminated text.
int64_t ParseCueTime(const char* text);

}  // namespace plover

#endif
