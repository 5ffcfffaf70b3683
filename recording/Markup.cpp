#include "recording/Markup.h"

namespace plover {

namespace {

// Position of the '<' of the first start tag named exactly `name`, or npos.
size_t FindStartTag(std::string_view text, std::string_view name) {
  size_t pos = 0;
  while ((pos = text.find('<', pos)) != std::string_view::npos) {
    if (text.compare(pos + 1, name.size(), name) == 0) {
      const size_t after = pos + 1 + name.size();
      if (after < text.size()) {
        const char c = text[after];
        if (c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\r' || c == '\n') return pos;
      }
    }
    ++pos;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ElementContent(std::string_view text, std::string_view name) {
  const size_t start = FindStartTag(text, name);
  if (start == std::string_view::npos) return {};
  const size_t tagEnd = text.find('>', start);
  if (tagEnd == std::string_view::npos || text[tagEnd - 1] == '/') return {};
  std::string endTag = "</";
  endTag.append(name).append(">");
  const size_t end = text.find(endTag, tagEnd + 1);
  if (end == std::string_view::npos) return {};
  return std::string(text.substr(tagEnd + 1, end - tagEnd - 1));
}

std::string ElementAttribute(std::string_view text, std::string_view name, std::string_view attribute) {
  const size_t start = FindStartTag(text, name);
  if (start == std::string_view::npos) return {};
  const size_t tagEnd = text.find('>', start);
  const std::string_view tag =
      text.substr(start, tagEnd == std::string_view::npos ? text.size() - start : tagEnd - start);
  std::string pattern = " ";
  pattern.append(attribute).append("=\"");
  const size_t at = tag.find(pattern);
  if (at == std::string_view::npos) return {};
  const size_t valueStart = at + pattern.size();
  const size_t valueEnd = tag.find('"', valueStart);
  if (valueEnd == std::string_view::npos) return {};
  return std::string(tag.substr(valueStart, valueEnd - valueStart));
}

}  // namespace plover
