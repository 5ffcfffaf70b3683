// Compiled as C++98: the public header must serve old callers too.
#include "PloverMetaParser.h"

int Cxx98HeaderCheck() {
  _SP_INFO_OSD record;
  record.sampleTime = 0;
  return static_cast<int>(sizeof record) + static_cast<int>(record.sampleTime);
}
