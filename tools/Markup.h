// Values out of a raw section, as the library interface reads the device.
#ifndef PLOVERMETA_MARKUP_H
#define PLOVERMETA_MARKUP_H

#include "recording/Markup.h"

namespace plovermeta {

using plover::ElementAttribute;
using plover::ElementContent;

}  // namespace plovermeta

#endif
