// Second-generation files built to make the intake work or hold far more than
// the file holds: many records naming one indexed item, many header chunks
// naming one index table, files of zeros and chunks claiming gigabytes, and
// paths that are no regular file.  Each shape is measured at two sizes with
// the engine's work counter (bytes read plus bytes parsed) and the bytes held
// (peak, through operator new), never with a clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ContainerWriter.h"
#include "MemoryCounter.h"
#include "TempDir.h"
#include "TimeZone.h"
#include "fileengine/MetaFileEngine.h"
#include "fuzz/WorkBudget.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace plover::test {
namespace {

using fuzz::kWorkConstant;
using fuzz::kWorkMultiple;

struct Load {
  bool ok = false;
  uint64_t work = 0;     // bytes examined
  std::size_t peak = 0;  // peak bytes held beyond what was held before
};

Load LoadFile(const std::string& path, int32_t form) {
  MetaFileEngine engine;
  const std::size_t before = BytesInUse();
  ResetPeak();
  Load load;
  load.ok = engine.load_file(path.c_str(), form);
  load.peak = PeakBytes() - before;
  load.work = engine.bytesExamined;
  return load;
}

std::string SampleText(std::size_t rowLength) {
  return "<TS>2016/02/29 10:00:00</TS><G-STAT>" + std::string(rowLength, '0') + "</G-STAT>";
}

// `records` records that all name index number 1, whose index entry points
// at one item of `itemLength` bytes.
std::string RecordsSharingOneItem(int records, std::size_t itemLength) {
  std::vector<ContainerRecord> data = {ContainerRecord(1, {{ContainerItem::kSample, SampleText(itemLength)}}, false)};
  for (int i = 1; i < records; ++i) data.emplace_back(1, std::vector<ContainerItem>{}, false);
  ContainerWriter writer;
  writer.AddIndex({{1, ContainerWriter::FirstItemOffsets(data)[0]}});
  writer.AddData(data);
  return writer.Finish();
}

// `headers` header chunks that all point at one index table of `entries`
// entries, then a data chunk.
std::string HeadersSharingOneTable(int headers, uint32_t entries) {
  std::vector<IndexEntry> index;
  for (uint32_t i = 0; i < entries; ++i) index.push_back({i, 0});
  ContainerWriter writer;
  const uint32_t table = writer.AddIndex(index) + 88;
  for (int i = 0; i < headers; ++i) writer.AddHeader(table);
  writer.AddData({ContainerRecord(7, {{ContainerItem::kSample, SampleText(8)}})});
  return writer.Finish();
}

class FileIntakeHostile : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WriteFile(path, bytes));
    return path;
  }
  // A file of `size` bytes: `head`, then zeros (sparse where the system can).
  std::string WriteZeros(const std::string& name, const std::string& head, uint64_t size) {
    const std::string path = Write(name, head);
    std::filesystem::resize_file(path, size);
    return path;
  }

  ScopedTimeZone utc_{"UTC0"};
  TempDir dir_;
};

TEST_F(FileIntakeHostile, ContainerIntakeIsLinearWhateverTheIndexSays) {
  struct Shape {
    const char* name;
    std::string file;
  };
  const Shape shapes[] = {
      {"records sharing an item", RecordsSharingOneItem(500, 4000)},
      {"records sharing an item, 4x", RecordsSharingOneItem(2000, 16000)},
      {"headers sharing a table", HeadersSharingOneTable(500, 500)},
      {"headers sharing a table, 4x", HeadersSharingOneTable(2000, 2000)},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    const Load load = LoadFile(Write("c.dat", shape.file), MetaFileEngine::kContainerForm);
    ASSERT_TRUE(load.ok);
    // Re-reading per record or per header would cost records x item or
    // headers x table: 100 to 400 times the file here.
    EXPECT_LT(load.work, 4 * shape.file.size() + 256 * 1024);
    EXPECT_LT(load.peak, 4 * shape.file.size() + 1024 * 1024);
  }
}

// Environment PLOVER_SLOW_HOSTILE=1 (set for the native build's ctest run)
// adds the sizes that take seconds: files of 2 GiB.
bool SlowSizes() {
  const char* slow = std::getenv("PLOVER_SLOW_HOSTILE");
  return slow != nullptr && std::string(slow) == "1";
}

TEST_F(FileIntakeHostile, MemoryFollowsTheMarkupNotTheSize) {
  std::vector<uint64_t> sizes = {16u << 20, 64u << 20};
  if (SlowSizes()) sizes.push_back(uint64_t{2} << 30);
  for (uint64_t size : sizes) {
    SCOPED_TRACE(size);
    // A text-form file of zeros: no F-Info, refused without holding it.
    const Load zeros = LoadFile(WriteZeros("zeros.xml", "", size), MetaFileEngine::kTextForm);
    EXPECT_FALSE(zeros.ok);
    EXPECT_LT(zeros.peak, 1u << 20);
    EXPECT_LT(zeros.work, 2 * size + kWorkConstant);

    // A container whose file-information chunk claims (and spans) the whole
    // file of zeros: loads, holding no more than the pieces it reads.
    ContainerWriter writer;
    writer.AddChunk("HSPR", std::string(48, '\0') + '\x04' + std::string(11, '\0'),
                    static_cast<uint32_t>(size - ContainerWriter::kTrailerSize));
    const Load claim = LoadFile(WriteZeros("claim.dat", writer.bytes(), size), MetaFileEngine::kContainerForm);
    EXPECT_TRUE(claim.ok);
    EXPECT_LT(claim.peak, 1u << 20);
    EXPECT_LT(claim.work, kWorkMultiple * size + kWorkConstant);
  }
}

TEST_F(FileIntakeHostile, PathsThatAreNoRegularFileAreRefusedAtOnce) {
  std::vector<std::string> paths = {dir_.path()};
#if !defined(_WIN32)
  // A FIFO without a writer: opening it to read would wait forever.
  const std::string fifo = dir_.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  paths.push_back(fifo);
  paths.push_back("/dev/null");  // a device
#endif
  for (const std::string& path : paths) {
    for (int32_t form : {MetaFileEngine::kContainerForm, MetaFileEngine::kTextForm}) {
      EXPECT_FALSE(LoadFile(path, form).ok) << path << " form " << form;
    }
  }
}

}  // namespace
}  // namespace plover::test
