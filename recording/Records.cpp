#include "plover/Records.h"

namespace plover {

std::string Officer::Display() const {
  std::string text = id;
  for (const std::string* part : {&first, &middle, &last}) {
    if (part->empty()) continue;
    if (!text.empty()) text += ' ';
    text += *part;
  }
  return text;
}

std::string OfficersText(const std::array<Officer, 2>& officers) {
  std::string text;
  for (const Officer& officer : officers) {
    if (officer.Empty()) continue;
    if (!text.empty()) text += ", ";
    text += officer.Display();
  }
  return text;
}

}  // namespace plover
