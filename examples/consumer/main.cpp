// The smallest viewer: create a parser and ask it one question.
#include <cstdio>

#include "PloverMetaParser.h"

int main() {
  CMetaParser parser;
  unsigned int size = 0;
  if (parser.GetOsdInfoSize(&size) != 1) return 1;
  std::printf("PloverMetaParser %s, OSD info size: %u\n", PLOVERMETAPARSER_VERSION_STRING, size);
  return size == 64 ? 0 : 1;
}
