#include "plover/Position.h"

#include <cmath>

#include "recording/Decimal.h"

namespace plover {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::optional<double> ParseAxis(std::string_view text, char positive, char negative, double limit) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return std::nullopt;

  // One hemisphere letter, before or after the number.
  char letter = 0;
  const char first = Upper(text[begin]);
  const char last = Upper(text[end - 1]);
  if (first == positive || first == negative) {
    letter = first;
    ++begin;
  } else if (last == positive || last == negative) {
    letter = last;
    --end;
  }
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;

  // The number: optional sign, digits, optional point and digits.
  bool minus = false;
  size_t pos = begin;
  if (pos < end && (text[pos] == '-' || text[pos] == '+')) {
    if (letter != 0) return std::nullopt;  // a sign and a letter contradict or repeat each other
    minus = text[pos] == '-';
    ++pos;
  }
  const size_t intBegin = pos;
  while (pos < end && text[pos] >= '0' && text[pos] <= '9') ++pos;
  const size_t intDigits = pos - intBegin;
  size_t fracDigits = 0;
  if (pos < end && text[pos] == '.') {
    ++pos;
    const size_t fracBegin = pos;
    while (pos < end && text[pos] >= '0' && text[pos] <= '9') ++pos;
    fracDigits = pos - fracBegin;
  }
  if (pos != end || intDigits + fracDigits == 0) return std::nullopt;

  double value = *ReadDecimal(text.substr(intBegin, end - intBegin));
  if (intDigits >= 4) {
    // Degrees and minutes: the last two integer digits and the fraction are
    // minutes.
    if (letter == 0) return std::nullopt;
    const double degrees = std::floor(value / 100.0);
    const double minutes = value - degrees * 100.0;
    if (minutes >= 60.0) return std::nullopt;
    value = degrees + minutes / 60.0;
  }
  if (!std::isfinite(value) || value > limit) return std::nullopt;
  if (minus || letter == negative) value = -value;
  return value;
}

}  // namespace

std::optional<double> ParseLatitude(std::string_view text) { return ParseAxis(text, 'N', 'S', 90.0); }

std::optional<double> ParseLongitude(std::string_view text) { return ParseAxis(text, 'E', 'W', 180.0); }

std::optional<Position> ParsePosition(std::string_view latitude, std::string_view longitude) {
  const std::optional<double> lat = ParseLatitude(latitude);
  const std::optional<double> lon = ParseLongitude(longitude);
  if (!lat || !lon) return std::nullopt;
  return Position{*lat, *lon};
}

}  // namespace plover
