// Decimal numbers read the same in every locale.
#ifndef PLOVER_RECORDING_DECIMAL_H
#define PLOVER_RECORDING_DECIMAL_H

#include <optional>
#include <string_view>

namespace plover {

// "ddd", "ddd.ddd", ".ddd" or "ddd." (no sign, no blanks); nothing for any
// other text.  Digits beyond the eighteenth significant one are dropped.
std::optional<double> ReadDecimal(std::string_view text);

}  // namespace plover

#endif
