// Recorders write &, <, >, " and ' in their texts as the five standard
// character references (&amp; &lt; &gt; &quot; &apos;), and the library keeps
// them as written.  Texts meant for people decode them.
#ifndef PLOVER_REFERENCES_H
#define PLOVER_REFERENCES_H

#include <string>
#include <string_view>

namespace plover {

// `text` with the five standard references decoded, once ("&amp;lt;" gives
// "&lt;"); any other '&' stays as it is.
std::string DecodeReferences(std::string_view text);

}  // namespace plover

#endif
