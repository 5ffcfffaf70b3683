#include "platform/File.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace plover::platform {
namespace {

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "plover_file_test.bin";
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("0123456789", f);
    std::fclose(f);
  }
  void TearDown() override { std::remove(path_.c_str()); }
  std::string path_;
};

TEST_F(FileTest, OpensSizesAndReadsAtAbsoluteOffsets) {
  File file;
  ASSERT_TRUE(file.Open(path_.c_str()));
  uint64_t size = 0;
  ASSERT_TRUE(file.Size(&size));
  EXPECT_EQ(size, 10u);

  char buffer[8] = {};
  uint32_t got = 0;
  ASSERT_TRUE(file.ReadAt(6, buffer, 2, &got));
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(std::string(buffer, 2), "67");
  // Every read seeks first: an earlier read's position does not matter.
  ASSERT_TRUE(file.ReadAt(0, buffer, 3, nullptr));
  EXPECT_EQ(std::string(buffer, 3), "012");
  // A read across the end yields what is there.
  ASSERT_TRUE(file.ReadAt(8, buffer, 8, &got));
  EXPECT_EQ(got, 2u);
}

TEST_F(FileTest, ReadAtOrPastTheEndFails) {
  File file;
  ASSERT_TRUE(file.Open(path_.c_str()));
  char buffer[4];
  uint32_t got = 99;
  EXPECT_FALSE(file.ReadAt(10, buffer, 4, &got));
  EXPECT_FALSE(file.ReadAt(0xFFFFFFF0u, buffer, 4, &got));
  EXPECT_EQ(got, 99u);
}

TEST_F(FileTest, MissingFilesAndFoldersDoNotOpen) {
  File file;
  EXPECT_FALSE(file.Open((path_ + ".missing").c_str()));
  EXPECT_FALSE(file.Open(::testing::TempDir().c_str()));
  EXPECT_FALSE(file.Open(nullptr));
  EXPECT_FALSE(file.IsOpen());
  char buffer[1];
  EXPECT_FALSE(file.ReadAt(0, buffer, 1, nullptr));
  uint64_t size = 0;
  EXPECT_FALSE(file.Size(&size));
}

TEST_F(FileTest, MovedFileKeepsItsHandleOnce) {
  File a;
  ASSERT_TRUE(a.Open(path_.c_str()));
  File b(std::move(a));
  EXPECT_FALSE(a.IsOpen());  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_TRUE(b.IsOpen());
  b.Close();
  EXPECT_FALSE(b.IsOpen());
}

}  // namespace
}  // namespace plover::platform
