// Reading a few values out of a raw section that the library hands back
// whole (the recorder's device section): the content of the first element
// of a name, and an attribute of its start tag.  Names match whole, so
// "Slot1" does not find "<Slot10>".
#ifndef PLOVER_RECORDING_MARKUP_H
#define PLOVER_RECORDING_MARKUP_H

#include <string>
#include <string_view>

namespace plover {

// The content of the first <name ...>content</name>; empty when absent or
// self-closing.
std::string ElementContent(std::string_view text, std::string_view name);

// The value of `attribute` in the start tag of the first <name ...>; empty
// when absent.
std::string ElementAttribute(std::string_view text, std::string_view name, std::string_view attribute);

}  // namespace plover

#endif
