// Escaping of texts for the export formats.
#ifndef PLOVERMETA_TEXTESCAPE_H
#define PLOVERMETA_TEXTESCAPE_H

#include <string>

namespace plovermeta {

// &, <, >, " and ' as entities; control characters other than tab, CR and LF
// (not allowed in XML 1.0) become '?'.
std::string XmlEscape(const std::string& text);

// A cue line of a WebVTT or SubRip track: &, < and > as entities, so that
// no text reads as markup or as a timing arrow.
std::string CueText(const std::string& text);

// A JSON string literal, quotes included.
std::string JsonString(const std::string& text);

// One CSV field (RFC 4180): quoted when it holds a comma, a quote, CR or LF,
// with quotes doubled.
std::string CsvField(const std::string& text);

// A JSON number when `text` is one as written (optional sign, digits, an
// optional fraction), else null.
std::string JsonNumber(const std::string& text);

// A number with `decimals` digits after the point, "C" locale style.
std::string FixedNumber(double value, int decimals);

}  // namespace plovermeta

#endif
