// Officer log-ins of one time.
#ifndef PLOVER_ENGINE_LOGINENTRY_H
#define PLOVER_ENGINE_LOGINENTRY_H

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace plover {

// One parsed Login element: texts in the order of the text fields of
// _SLOGIN_INFO_OSD (field[5], officerId[2], firstName[2], middleName[2],
// lastName[2], fileName).
struct LoginRecord {
  static constexpr int kTextCount = 14;
  static constexpr int kOfficerTextCount = 13;  // all but the file name
  enum Text { kField = 0, kOfficerId = 5, kFirstName = 7, kMiddleName = 9, kLastName = 11, kFileName = 13 };
  std::array<std::optional<std::string>, kTextCount> texts;
};

struct LoginEntry {
  std::string text;                  // every Login element of this time, joined by "\r\n"
  std::vector<LoginRecord> records;  // one per Login element, in document order
};

}  // namespace plover

#endif
