#include "plover/References.h"

namespace plover {

std::string DecodeReferences(std::string_view text) {
  static const struct {
    std::string_view name;
    char c;
  } kReferences[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  out.reserve(text.size());
  size_t at = 0;
  for (size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', at)) {
    out.append(text, at, amp - at);
    at = amp + 1;
    out += '&';
    for (const auto& reference : kReferences) {
      if (text.substr(amp, reference.name.size()) == reference.name) {
        out.back() = reference.c;
        at = amp + reference.name.size();
        break;
      }
    }
  }
  out.append(text, at, std::string_view::npos);
  return out;
}

}  // namespace plover
