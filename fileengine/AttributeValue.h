// Attribute reading and element narrowing shared by the file engine's
// parsers.
#ifndef PLOVER_FILEENGINE_ATTRIBUTEVALUE_H
#define PLOVER_FILEENGINE_ATTRIBUTEVALUE_H

#include <cstdint>
#include <optional>
#include <string_view>

namespace plover {

// The value of an attribute of the start tag that begins `element`.
// `attribute` includes the equals sign and the opening quote ("no=\"").  It
// is looked for as a plain substring before the first '>' (so "no=\"" also
// matches inside "xno=\""), and the value runs to the next '"', which must
// come before any '>'.  Returns the value's start and writes its length, or
// returns null and writes 0.  An empty value is found with length 0.  Null
// `valueLength` or an element that does not start with '<' gives null.
const char* FindAttributeValue(const char* element, uint32_t elementLength, const char* attribute,
                               uint32_t* valueLength);

// FindAttributeValue on a range, as a view.
std::optional<std::string_view> AttributeValue(std::string_view element, const char* attribute);

// The first element whose start tag begins with `name` in `range` (as the
// scanner finds it), or nullopt.  Only the first 2 GiB of a range are
// searched.
std::optional<std::string_view> FindElementIn(std::string_view range, const char* name);

// The content of an element range found with FindElementIn, or nullopt; an
// empty content counts as none.
std::optional<std::string_view> ContentOf(std::string_view element, const char* name);

// FindElementIn, then ContentOf with the same name.
std::optional<std::string_view> ContentIn(std::string_view range, const char* name);

}  // namespace plover

#endif
