#include <gtest/gtest.h>

#include "PloverMetaParser.h"

TEST(Facade, Placeholder) {
  CMetaParser parser;
  unsigned int size = 0;
  EXPECT_EQ(parser.GetOsdInfoSize(&size), 1);
  EXPECT_EQ(size, 64u);
}
