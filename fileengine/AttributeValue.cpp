#include "fileengine/AttributeValue.h"

#include <cstring>
#include <limits>

#include "scan/Scanner.h"

namespace plover {

const char* FindAttributeValue(const char* element, uint32_t elementLength, const char* attribute,
                               uint32_t* valueLength) {
  if (valueLength == nullptr) return nullptr;
  if (element == nullptr || attribute == nullptr || elementLength == 0 || element[0] != '<') {
    *valueLength = 0;
    return nullptr;
  }
  const size_t a = std::strlen(attribute);
  const size_t end = elementLength;
  size_t p = 0;
  bool found = false;
  for (; p + a < end; ++p) {
    if (element[p] == '>') break;
    if (std::memcmp(element + p, attribute, a) == 0) {
      found = true;
      break;
    }
  }
  if (!found) {
    *valueLength = 0;
    return nullptr;
  }
  const char* value = element + p + a;
  const size_t rest = end - (p + a);
  for (size_t n = 0; n < rest; ++n) {
    if (value[n] == '"') {
      *valueLength = static_cast<uint32_t>(n);
      return value;
    }
    if (value[n] == '>') break;
  }
  *valueLength = 0;
  return nullptr;
}

std::optional<std::string_view> AttributeValue(std::string_view element, const char* attribute) {
  uint32_t length = 0;
  const char* value = FindAttributeValue(element.data(), static_cast<uint32_t>(element.size()), attribute, &length);
  if (value == nullptr) return std::nullopt;
  return std::string_view(value, length);
}

std::optional<std::string_view> FindElementIn(std::string_view range, const char* name) {
  constexpr size_t kMax = static_cast<size_t>(std::numeric_limits<int32_t>::max());
  const int32_t length = static_cast<int32_t>(range.size() < kMax ? range.size() : kMax);
  int32_t elementLength = 0;
  const char* element = scan::FindElement(range.data(), length, name, &elementLength);
  if (element == nullptr) return std::nullopt;
  return std::string_view(element, static_cast<size_t>(elementLength));
}

std::optional<std::string_view> ContentOf(std::string_view element, const char* name) {
  return scan::ElementContent(element.data(), static_cast<uint32_t>(element.size()), name);
}

std::optional<std::string_view> ContentIn(std::string_view range, const char* name) {
  std::optional<std::string_view> element = FindElementIn(range, name);
  if (!element) return std::nullopt;
  // The element was just found for this name: its end tag is known.
  return scan::FoundElementContent(element->data(), static_cast<uint32_t>(element->size()), name);
}

}  // namespace plover
