#include "scan/Scanner.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/LocalTime.h"
#include "scan/ByteSearch.h"

namespace plover::scan {
namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Length of the bare name: the part before the first blank.
size_t BareLength(const char* name, size_t n) {
  const void* blank = std::memchr(name, ' ', n);
  return blank ? static_cast<size_t>(static_cast<const char*>(blank) - name) : n;
}

// A word with the high bit set in every byte of `x` that is zero (and
// perhaps in bytes above one that is): a cheap test for "some byte is zero".
inline uint64_t ZeroBytes(uint64_t x) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  return (x - kOnes) & ~x & kHighs;
}

// First j >= from with text[j..] == "</" bare ">" and j + B + 2 < length.
// Returns -1 when there is none.
int64_t FindEndTag(const char* text, int64_t from, int64_t length, const char* bare, size_t b) {
  const int64_t limit = length - static_cast<int64_t>(b) - 2;  // j < limit
  // The first byte of the name is compared before the call to memcmp: most
  // end tags in a range belong to other elements.
  // Names are a few bytes long: compared in place rather than with a call.
  auto at = [&](int64_t j) {
    if (text[j] != '<' || text[j + 1] != '/' || text[j + 2 + b] != '>') return false;
    for (size_t k = 0; k < b; ++k) {
      if (text[j + 2 + static_cast<int64_t>(k)] != bare[k]) return false;
    }
    return true;
  };
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  int64_t j = from;
#if defined(__SSE2__)
  // Sixteen start positions at a time: the bytes at j..j+15 compared with
  // '<' and those at j+1..j+16 with '/'.
  const __m128i lt = _mm_set1_epi8('<');
  const __m128i slash = _mm_set1_epi8('/');
  while (j + 16 < limit) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + j));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + j + 1));
    auto starts =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(here, lt), _mm_cmpeq_epi8(next, slash))));
    for (; starts != 0; starts &= starts - 1) {
      const int64_t k = j + __builtin_ctz(starts);
      if (at(k)) return k;
    }
    j += 16;
  }
#endif
  // Eight start positions at a time: the bytes at j..j+7 and at j+1..j+8
  // tell whether "</" begins at any of them; only such words are looked at
  // byte by byte.
  while (j + 8 < limit) {
    uint64_t here;
    uint64_t next;
    std::memcpy(&here, text + j, 8);
    std::memcpy(&next, text + j + 1, 8);
    uint64_t starts = ZeroBytes(here ^ (kOnes * '<')) & ZeroBytes(next ^ (kOnes * '/'));
#if defined(__GNUC__) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Byte k of the word is bit 8k + 7: visit the flagged bytes in order.
    for (; starts != 0; starts &= starts - 1) {
      const int64_t k = j + (__builtin_ctzll(starts) >> 3);
      if (at(k)) return k;
    }
#else
    if (starts != 0) {
      for (int64_t k = j; k < j + 8; ++k) {
        if (at(k)) return k;
      }
    }
#endif
    j += 8;
  }
  for (; j < limit; ++j) {
    if (at(j)) return j;
  }
  return -1;
}

// Length of the element whose start tag begins at `start`: to the '>' that
// ends a self-closing start tag, else to the first "</bare>" after the start
// tag.  The start tag's '>' is searched for from `gtFrom` (no '>' lies
// between `start` and it).  -1 when either is missing.
int64_t MeasureElement(const char* text, int64_t length, int64_t start, int64_t gtFrom, const char* bare, size_t b) {
  const char* gt =
      text[gtFrom] == '>' ? text + gtFrom : FindByte(text + gtFrom, static_cast<size_t>(length - gtFrom), '>');
  if (gt == nullptr) return -1;
  const int64_t k = gt - text;
  if (text[k - 1] == '/') return k - start + 1;
  const int64_t j = FindEndTag(text, k + 1, length, bare, b);
  if (j < 0) return -1;
  return j + static_cast<int64_t>(b) + 3 - start;
}

const char* FindElementN(const char* text, int64_t length, const char* name, size_t n, int32_t* elementLength) {
  const size_t b = BareLength(name, n);
  // Start: i + N + 1 < length.
  const int64_t startLimit = length - static_cast<int64_t>(n) - 1;
  int64_t i = 0;
  for (;;) {
    if (i >= startLimit) return nullptr;
    const char* lt = FindByte(text + i, static_cast<size_t>(startLimit - i), '<');
    if (lt == nullptr) return nullptr;
    i = lt - text;
    if ((n == 0 || text[i + 1] == name[0]) && std::memcmp(text + i + 1, name, n) == 0) break;
    ++i;
  }
  const int64_t measured = MeasureElement(text, length, i, i, name, b);
  if (measured < 0) return nullptr;
  *elementLength = static_cast<int32_t>(measured);
  return text + i;
}

}  // namespace

const char* FindElement(const char* text, int32_t textLength, const char* name, int32_t* elementLength) {
  if (text == nullptr || name == nullptr || elementLength == nullptr) return nullptr;
  return FindElementN(text, textLength, name, std::strlen(name), elementLength);
}

namespace {

// GetElementContent; `knownEnd`, when not negative, is the offset of the end
// tag that a search from the start tag would find first.
const char* ContentN(const char* element, uint32_t elementLength, const char* name, uint32_t* contentLength,
                     int64_t knownEnd) {
  if (element == nullptr || contentLength == nullptr || name == nullptr) return nullptr;
  if (elementLength <= 1 || element[0] != '<') return nullptr;
  const int64_t length = elementLength;
  const size_t n = std::strlen(name);
  const size_t b = BareLength(name, n);

  const char* gt = FindByte(element + 1, static_cast<size_t>(length - 1), '>');
  if (gt == nullptr) return nullptr;
  const int64_t k = gt - element;

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
  const int64_t j = knownEnd >= p ? knownEnd : FindEndTag(element, p, length, name, b);
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

}  // namespace

const char* GetElementContent(const char* element, uint32_t elementLength, const char* name, uint32_t* contentLength) {
  return ContentN(element, elementLength, name, contentLength, -1);
}

std::optional<std::string_view> FoundElementContent(const char* element, uint32_t elementLength, const char* name) {
  if (element == nullptr || name == nullptr) return std::nullopt;
  const size_t b = BareLength(name, std::strlen(name));
  // The range ends with the end tag "</bare>" that the search found first;
  // a self-closing element or a range too short for one is read as usual.
  const int64_t end = static_cast<int64_t>(elementLength) - static_cast<int64_t>(b) - 3;
  const bool closed = elementLength >= 2 && element[elementLength - 2] != '/' && end > 0 && element[end] == '<' &&
                      element[end + 1] == '/';
  uint32_t length = 0;
  const char* content = ContentN(element, elementLength, name, &length, closed ? end : -1);
  if (content == nullptr) return std::nullopt;
  return std::string_view(content, length);
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
  // The name is the bytes after '<' up to a blank or '>', as a
  // NUL-terminated text would hold them: an embedded NUL ends it.
  int32_t i = 1;
  int32_t nul = -1;
  for (; i < textLength && text[i] != ' ' && text[i] != '>'; ++i) {
    if (text[i] == '\0' && nul < 0) nul = i;
  }
  if (i >= textLength) return -1;
  const char* name = text + 1;
  const size_t n = static_cast<size_t>((nul >= 0 ? nul : i) - 1);
  // What FindElement answers for that name, without its search for the
  // start: the element starts right here (when the range can hold a start
  // tag), the name holds no blank, and no '>' comes before byte i.
  if (static_cast<int64_t>(n) + 1 >= textLength) return -1;
  return static_cast<int32_t>(MeasureElement(text, textLength, 0, i, name, n));
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
  // A field of digits only, the usual case, reads the same without atol.
  long value = 0;
  int k = 0;
  for (; k < width; ++k) {
    const char c = text[column + k];
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  if (k == width) return value;
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
