// Immutable texts that several stored records may share.  A text carried
// from one sample into the next is stored once, not once per sample.
#ifndef PLOVER_ENGINE_SHAREDTEXT_H
#define PLOVER_ENGINE_SHAREDTEXT_H

#include <memory>
#include <string>
#include <string_view>

namespace plover {

// Null means "nothing stored".
using SharedText = std::shared_ptr<const std::string>;

inline SharedText MakeText(std::string_view text) { return std::make_shared<const std::string>(text); }

}  // namespace plover

#endif
