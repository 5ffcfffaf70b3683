#include "platform/PageAlloc.h"

#include <gtest/gtest.h>

namespace plover::platform {
namespace {

TEST(PageAlloc, ZeroFilledAndReleasable) {
  EXPECT_EQ(AllocatePages(0), nullptr);
  auto* bytes = static_cast<unsigned char*>(AllocatePages(3 * 272));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 3 * 272; ++i) ASSERT_EQ(bytes[i], 0) << i;
  ReleasePages(bytes);
  ReleasePages(nullptr);
}

}  // namespace
}  // namespace plover::platform
