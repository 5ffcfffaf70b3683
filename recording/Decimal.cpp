#include "recording/Decimal.h"

#include <cstdint>

namespace plover {

std::optional<double> ReadDecimal(std::string_view text) {
  uint64_t mantissa = 0;
  int significant = 0;
  int scale = 0;  // power of ten to multiply the mantissa by
  bool point = false;
  bool digit = false;
  for (const char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    digit = true;
    if (significant < 18) {
      if (mantissa != 0 || c != '0') ++significant;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      if (point) --scale;
    } else if (!point) {
      ++scale;
    }
  }
  if (!digit) return std::nullopt;
  double value = static_cast<double>(mantissa);
  // Exact powers of ten up to 1e22 keep the one rounding in the division.
  double power = 1;
  for (int i = 0; i < (scale < 0 ? -scale : scale); ++i) power *= 10;
  return scale < 0 ? value / power : value * power;
}

}  // namespace plover
