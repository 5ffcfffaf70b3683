// The time search shared by the sample and log-in queries.
#ifndef PLOVER_ENGINE_SEEKSAMPLE_H
#define PLOVER_ENGINE_SEEKSAMPLE_H

#include <iterator>

namespace plover {

// Direction 0: the first entry at or after `key`.  Direction 1: the entry with
// exactly the key (when `exact` allows it), else the last one before it, and
// the map's last entry when the key lies after every entry.  Returns
// map.end() when there is no result.  `exact` lets a caller narrow what counts
// as an exact hit (the log-in map compares only the low 32 bits of a time).
template <typename Map, typename Key>
typename Map::const_iterator SeekSample(const Map& map, const Key& key, int direction, bool exact = true) {
  if (map.empty()) return map.end();
  auto it = map.lower_bound(key);
  if (direction == 0) return it;
  if (it == map.end()) return std::prev(map.end());
  if (exact && it->first == key) return it;
  if (it == map.begin()) return map.end();
  return std::prev(it);
}

}  // namespace plover

#endif
