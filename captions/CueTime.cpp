#include "captions/CueTime.h"

namespace plover {

namespace {

// A cursor over a text that ends at `end` or at its first NUL.
class TimeReader {
 public:
  TimeReader(const char* text, const char* end) : pos_(text), end_(end) {}

  // One "%<width>d" conversion; false on a matching or input failure.
  bool Number(int width, int* value) {
    while (More() && IsSpace(*pos_)) ++pos_;
    bool negative = false;
    if (More() && (*pos_ == '+' || *pos_ == '-')) {
      negative = *pos_ == '-';
      ++pos_;
      --width;
    }
    int result = 0;
    int digits = 0;
    while (width > 0 && More() && *pos_ >= '0' && *pos_ <= '9') {
      result = result * 10 + (*pos_ - '0');
      ++pos_;
      --width;
      ++digits;
    }
    if (digits == 0) return false;
    *value = negative ? -result : result;
    return true;
  }

  // A literal character of the format, which must follow directly.
  bool Literal(char c) {
    if (!More() || *pos_ != c) return false;
    ++pos_;
    return true;
  }

 private:
  bool More() const { return pos_ != end_ && *pos_ != '\0'; }
  static bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

  const char* pos_;
  const char* end_;
};

int64_t Read(TimeReader reader) {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  int millis = 0;
  if (!reader.Number(3, &hours) || !reader.Literal(':') || !reader.Number(2, &minutes) || !reader.Literal(':') ||
      !reader.Number(2, &seconds) || !reader.Literal('.') || !reader.Number(3, &millis)) {
    return kCueTimeInvalid;
  }
  return ((static_cast<int64_t>(hours) * 60 + minutes) * 60 + seconds) * 1000 + millis;
}

}  // namespace

int64_t ParseCueTime(const char* text, size_t length) { return Read(TimeReader(text, text + length)); }

int64_t ParseCueTime(const char* text) { return Read(TimeReader(text, nullptr)); }

}  // namespace plover
