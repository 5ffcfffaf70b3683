// Positions as the tool reads them: the library interface's reading.
#ifndef PLOVERMETA_POSITION_H
#define PLOVERMETA_POSITION_H

#include "plover/Position.h"

namespace plovermeta {

using plover::ParseLatitude;
using plover::ParseLongitude;
using plover::ParsePosition;
using plover::Position;

}  // namespace plovermeta

#endif
