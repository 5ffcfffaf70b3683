// Tests that read local time set the zone explicitly.
#ifndef PLOVER_TESTS_TIMEZONE_H
#define PLOVER_TESTS_TIMEZONE_H

#include <cstdlib>
#include <string>

#include "platform/LocalTime.h"

namespace plover::test {

// Sets TZ for its lifetime and restores the previous setting afterwards.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    const char* old = std::getenv("TZ");
    if (old != nullptr) {
      hadOld_ = true;
      old_ = old;
    }
    setenv("TZ", zone, 1);
    platform::ReloadTimeZone();
  }
  ~ScopedTimeZone() {
    if (hadOld_) {
      setenv("TZ", old_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    platform::ReloadTimeZone();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  bool hadOld_ = false;
  std::string old_;
};

}  // namespace plover::test

#endif
