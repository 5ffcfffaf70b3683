#include "TextEscape.h"

#include <cstdio>

namespace plovermeta {

namespace {

// The entity of a markup character: &, < and >, and with `quotes` " and '.
const char* Entity(char c, bool quotes) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return quotes ? "&quot;" : nullptr;
    case '\'':
      return quotes ? "&apos;" : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

std::string XmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (const char* entity = Entity(c, true)) {
      out += entity;
    } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') {
      out += '?';
    } else {
      out += c;
    }
  }
  return out;
}

std::string CueText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const char* entity = Entity(c, false);
    out += entity != nullptr ? entity : std::string(1, c);
  }
  return out;
}

std::string JsonNumber(const std::string& text) {
  size_t at = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  const size_t digits = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  const bool whole = at > digits;
  if (whole && at < text.size() && text[at] == '.') {
    const size_t fraction = ++at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    if (at == fraction) return "null";
  }
  if (!whole || at != text.size()) return "null";
  // JSON has no '+' and no leading zeros: write the value the text names.
  std::string number = text[0] == '+' ? text.substr(1) : text;
  const size_t first = number[0] == '-' ? 1 : 0;
  size_t zeros = first;
  while (zeros + 1 < number.size() && number[zeros] == '0' && number[zeros + 1] != '.') ++zeros;
  number.erase(first, zeros - first);
  return number;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string FixedNumber(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  // snprintf follows the C locale, which the tool never changes; guard
  // against a decimal comma all the same.
  for (char& c : out) {
    if (c == ',') c = '.';
  }
  if (out == "-0" || out.find_first_not_of("-0.") == std::string::npos) {
    if (!out.empty() && out[0] == '-') out.erase(0, 1);
  }
  return out;
}

}  // namespace plovermeta
