// Tag and attribute scanner: finds elements, contents and attributes in
// tagged text by byte ranges, and reads fixed-column date-time texts.
//
// This is not a markup parser.  There is no tree, no nesting, no entities and
// no comments: an element is a '<' followed by the search name (compared as a
// prefix, byte by byte, case-sensitive), closed by the first "</bare-name>"
// after its start tag's '>' or by a '/' right before that '>'.  Results point
// into the caller's text; nothing here allocates except CopyElementContent.
// No operation reads outside the range it is given.
#ifndef PLOVER_SCAN_SCANNER_H
#define PLOVER_SCAN_SCANNER_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plover::scan {

// Finds the first element whose start tag begins with `name` in the
// `textLength` bytes at `text`.  `name` is a bare element name ("V-Info") or
// a start-tag prefix with attributes ("OSD id=\"2\""); the part before its
// first space closes the element.  Returns a pointer to the opening '<' and
// writes the element's length (through the closing '>') to *elementLength, or
// returns null and leaves *elementLength alone.  A negative length finds
// nothing.
const char* FindElement(const char* text, int32_t textLength, const char* name, int32_t* elementLength);

// The content of an element range as FindElement returned it: the bytes after
// the start tag up to the end tag, with carriage returns and line feeds (only
// those) trimmed at both ends.  For a self-closing element, the attribute text
// after the name and one separator.  Null when there is none; an empty content
// also writes 0 to *contentLength.
const char* GetElementContent(const char* element, uint32_t elementLength, const char* name, uint32_t* contentLength);

// GetElementContent as an owned text; nullopt when there is no content.
std::optional<std::string> CopyElementContent(const char* element, uint32_t elementLength, const char* name);

// GetElementContent as a view; nullopt when there is no content.
std::optional<std::string_view> ElementContent(const char* element, uint32_t elementLength, const char* name);

// ElementContent of a range that FindElement (or GetElementLength) returned
// for an element whose start tag's bare name is the bare part of `name`:
// the same result, without searching for the end tag a second time.
std::optional<std::string_view> FoundElementContent(const char* element, uint32_t elementLength, const char* name);

// The whole length of the element that starts the text (whose name runs up to
// the first blank or '>'), or -1.  Used to step through sibling elements.
int32_t GetElementLength(const char* text, int32_t textLength);

// The value of an attribute of the start tag: `pattern` is the attribute name
// with its `="` (e.g. "model=\"").  The search stops at the tag's '>'; a value
// needs its closing '"' before any '>'.  A pattern also matches at the end of
// a longer attribute name.
std::optional<std::string_view> GetTagAttribute(const char* element, uint32_t elementLength, const char* pattern);

// The looser attribute reading: the pattern is looked for anywhere in the
// range, and the value runs to the next '"' ('>' included).
std::optional<std::string_view> FindAttributeText(const char* range, uint32_t rangeLength, const char* pattern);

// Reads YYYY?MM?DD?hh?mm?ss (and ?mmm when withMilliseconds) at fixed columns
// as local standard time.  Each field is read like atol.  Returns seconds, or
// milliseconds when asked, since 1970-01-01 00:00:00 UTC, or 0 when the time
// lies outside 1970 to 3000.  The caller provides 19 readable bytes (23 with
// milliseconds).
int64_t ParseDateTime(const char* text, bool withMilliseconds);

}  // namespace plover::scan

#endif
