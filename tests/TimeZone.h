// Tests that read local time set the zone explicitly.
#ifndef PLOVER_TESTS_TIMEZONE_H
#define PLOVER_TESTS_TIMEZONE_H

#include <cstdlib>
#include <string>

#include "platform/LocalTime.h"

namespace plover::test {

// Sets the TZ variable to `zone`, or removes it when null; nothing else.
inline void SetTzVariable(const char* zone) {
#if defined(_WIN32)
  _putenv_s("TZ", zone ? zone : "");
#else
  if (zone) {
    setenv("TZ", zone, 1);
  } else {
    unsetenv("TZ");
  }
#endif
}

// Sets TZ for its lifetime and restores the previous setting afterwards.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    const char* old = std::getenv("TZ");
    if (old != nullptr) {
      hadOld_ = true;
      old_ = old;
    }
    Set(zone);
  }
  ~ScopedTimeZone() { Set(hadOld_ ? old_.c_str() : nullptr); }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  // Sets TZ to `zone`, or removes it when null, and re-reads it.
  static void Set(const char* zone) {
    SetTzVariable(zone);
    platform::ReloadTimeZone();
  }

  bool hadOld_ = false;
  std::string old_;
};

}  // namespace plover::test

#endif
