#include "platform/File.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace plover::platform {
namespace {

TEST(FileTest, ReadsAtAbsoluteOffsetsAndRefusesWhatIsNoFile) {
  const std::string path = ::testing::TempDir() + "plover_file_test.bin";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("0123456789", f);
  std::fclose(f);
  File file;
  ASSERT_TRUE(file.Open(path.c_str()));
  uint64_t size = 0;
  ASSERT_TRUE(file.Size(&size));
  EXPECT_EQ(size, 10u);
  char buffer[8] = {};
  uint32_t got = 0;
  ASSERT_TRUE(file.ReadAt(6, buffer, 2, &got));
  EXPECT_EQ(std::string(buffer, got), "67");
  ASSERT_TRUE(file.ReadAt(0, buffer, 3, nullptr));  // every read seeks first
  EXPECT_EQ(std::string(buffer, 3), "012");
  ASSERT_TRUE(file.ReadAt(8, buffer, 8, &got));  // across the end: what is there
  EXPECT_EQ(got, 2u);
  got = 99;
  EXPECT_FALSE(file.ReadAt(10, buffer, 4, &got));
  EXPECT_FALSE(file.ReadAt(0xFFFFFFF0u, buffer, 4, &got));
  EXPECT_EQ(got, 99u);

  File moved(std::move(file));
  EXPECT_FALSE(file.IsOpen());  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_TRUE(moved.IsOpen());
  moved.Close();
  EXPECT_FALSE(moved.IsOpen());
  std::remove(path.c_str());

  EXPECT_FALSE(file.Open(path.c_str()));
  EXPECT_FALSE(file.Open(::testing::TempDir().c_str()));  // a folder
  EXPECT_FALSE(file.Open(nullptr));
  EXPECT_FALSE(file.ReadAt(0, buffer, 1, nullptr));
  EXPECT_FALSE(file.Size(&size));
}

}  // namespace
}  // namespace plover::platform
