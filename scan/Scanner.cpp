#include "scan/Scanner.h"

#include <cstdlib>
#include <cstring>

#include "platform/LocalTime.h"

namespace plover::scan {
namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Length of the bare name: the part before the first blank.
size_t BareLength(const char* name, size_t n) {
  const void* blank = std::memchr(name, ' ', n);
  return blank ? static_cast<size_t>(static_cast<const char*>(blank) - name) : n;
}

// First j >= from with text[j..] == "</" bare ">" and j + B + 2 < length.
// Returns -1 when there is none.
int64_t FindEndTag(const char* text, int64_t from, int64_t length, const char* bare, size_t b) {
  const int64_t limit = length - static_cast<int64_t>(b) - 2;  // j < limit
  int64_t j = from;
  while (j < limit) {
    const void* lt = std::memchr(text + j, '<', static_cast<size_t>(limit - j));
    if (lt == nullptr) return -1;
    j = static_cast<const char*>(lt) - text;
    if (text[j + 1] == '/' && std::memcmp(text + j + 2, bare, b) == 0 && text[j + 2 + b] == '>') return j;
    ++j;
  }
  return -1;
}

const char* FindElementN(const char* text, int64_t length, const char* name, size_t n, int32_t* elementLength) {
  const size_t b = BareLength(name, n);
  // Start: i + N + 1 < length.
  const int64_t startLimit = length - static_cast<int64_t>(n) - 1;
  int64_t i = 0;
  for (;;) {
    if (i >= startLimit) return nullptr;
    const void* lt = std::memchr(text + i, '<', static_cast<size_t>(startLimit - i));
    if (lt == nullptr) return nullptr;
    i = static_cast<const char*>(lt) - text;
    if (std::memcmp(text + i + 1, name, n) == 0) break;
    ++i;
  }
  const void* gt = std::memchr(text + i, '>', static_cast<size_t>(length - i));
  if (gt == nullptr) return nullptr;
  const int64_t k = static_cast<const char*>(gt) - text;
  if (text[k - 1] == '/') {
    *elementLength = static_cast<int32_t>(k - i + 1);
    return text + i;
  }
  const int64_t j = FindEndTag(text, k + 1, length, name, b);
  if (j < 0) return nullptr;
  *elementLength = static_cast<int32_t>(j + static_cast<int64_t>(b) + 2 - i + 1);
  return text + i;
}

}  // namespace

const char* FindElement(const char* text, int32_t textLength, const char* name, int32_t* elementLength) {
  if (text == nullptr || name == nullptr || elementLength == nullptr) return nullptr;
  return FindElementN(text, textLength, name, std::strlen(name), elementLength);
}

const char* GetElementContent(const char* element, uint32_t elementLength, const char* name, uint32_t* contentLength) {
  if (element == nullptr || contentLength == nullptr || name == nullptr) return nullptr;
  if (elementLength <= 1 || element[0] != '<') return nullptr;
  const int64_t length = elementLength;
  const size_t n = std::strlen(name);
  const size_t b = BareLength(name, n);

  const void* gt = std::memchr(element + 1, '>', static_cast<size_t>(length - 1));
  if (gt == nullptr) return nullptr;
  const int64_t k = static_cast<const char*>(gt) - element;

  if (element[k - 1] == '/') {  // self-closing: the attribute text after the name
    const int64_t start = static_cast<int64_t>(n) + 2;
    const int64_t slash = k - 1;
    if (start >= slash) {
      *contentLength = 0;
      return nullptr;
    }
    *contentLength = static_cast<uint32_t>(slash - start);
    return element + start;
  }

  int64_t p = k + 1;
  if (p >= length) return nullptr;
  while (IsLineBreak(element[p])) {
    if (++p >= length) return nullptr;
  }
  const int64_t j = FindEndTag(element, p, length, name, b);
  if (j < 0) return nullptr;
  int64_t e = j - 1;
  if (e == 0) return nullptr;
  while (IsLineBreak(element[e])) {
    if (--e == 0) return nullptr;
  }
  if (p < e + 1) {
    *contentLength = static_cast<uint32_t>(e + 1 - p);
    return element + p;
  }
  *contentLength = 0;
  return nullptr;
}

std::optional<std::string_view> ElementContent(const char* element, uint32_t elementLength, const char* name) {
  uint32_t length = 0;
  const char* content = GetElementContent(element, elementLength, name, &length);
  if (content == nullptr) return std::nullopt;
  return std::string_view(content, length);
}

std::optional<std::string> CopyElementContent(const char* element, uint32_t elementLength, const char* name) {
  if (element == nullptr) return std::nullopt;
  std::optional<std::string_view> content = ElementContent(element, elementLength, name);
  if (!content) return std::nullopt;
  return std::string(*content);
}

int32_t GetElementLength(const char* text, int32_t textLength) {
  if (text == nullptr || textLength <= 1 || text[0] != '<') return -1;
  int32_t i = 1;
  while (i < textLength && text[i] != ' ' && text[i] != '>') ++i;
  if (i >= textLength) return -1;
  // The name is the i - 1 bytes after '<', as a NUL-terminated text would
  // hold them: an embedded NUL ends it.
  const char* name = text + 1;
  const void* nul = std::memchr(name, '\0', static_cast<size_t>(i - 1));
  const size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - name) : static_cast<size_t>(i - 1);
  int32_t length = -1;
  if (FindElementN(text, textLength, name, n, &length) == nullptr) return -1;
  return length;
}

std::optional<std::string_view> GetTagAttribute(const char* element, uint32_t elementLength, const char* pattern) {
  if (element == nullptr || pattern == nullptr) return std::nullopt;
  const size_t plen = std::strlen(pattern);
  const char* end = element + elementLength;
  const char* p = element;
  for (;; ++p) {
    if (!(p + plen < end) || *p == '>') return std::nullopt;
    if (std::memcmp(p, pattern, plen) == 0) break;
  }
  const char* value = p + plen;
  for (const char* q = value; q < end; ++q) {
    if (*q == '"') return std::string_view(value, static_cast<size_t>(q - value));
    if (*q == '>') return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string_view> FindAttributeText(const char* range, uint32_t rangeLength, const char* pattern) {
  if (range == nullptr || pattern == nullptr) return std::nullopt;
  const size_t plen = std::strlen(pattern);
  if (plen == 0) return std::nullopt;
  const char* end = range + rangeLength;
  const char* p = range;
  for (;;) {
    if (!(p + plen < end)) return std::nullopt;
    const void* hit = std::memchr(p, pattern[0], static_cast<size_t>(end - plen - p));
    if (hit == nullptr) return std::nullopt;
    p = static_cast<const char*>(hit);
    if (std::memcmp(p, pattern, plen) == 0) break;
    ++p;
  }
  const char* value = p + plen;
  const void* quote = std::memchr(value, '"', static_cast<size_t>(end - value));
  if (quote == nullptr) return std::nullopt;
  return std::string_view(value, static_cast<size_t>(static_cast<const char*>(quote) - value));
}

namespace {
long ReadField(const char* text, int column, int width) {
  char field[5] = {0, 0, 0, 0, 0};
  std::memcpy(field, text + column, static_cast<size_t>(width));
  return std::atol(field);
}
}  // namespace

int64_t ParseDateTime(const char* text, bool withMilliseconds) {
  if (text == nullptr) return 0;
  platform::LocalTime t;
  t.year = static_cast<int>(ReadField(text, 0, 4) - 1900);
  t.month = static_cast<int>(ReadField(text, 5, 2) - 1);
  t.day = static_cast<int>(ReadField(text, 8, 2));
  t.hour = static_cast<int>(ReadField(text, 11, 2));
  t.minute = static_cast<int>(ReadField(text, 14, 2));
  t.second = static_cast<int>(ReadField(text, 17, 2));
  const int64_t seconds = platform::LocalTimeToEpoch(t);
  if (seconds < 0) return 0;
  if (!withMilliseconds) return seconds;
  return seconds * 1000 + static_cast<int64_t>(ReadField(text, 20, 3));
}

}  // namespace plover::scan
