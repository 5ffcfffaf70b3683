// Reading chunked containers, including malformed and hostile ones.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "Mk2TestFiles.h"
#include "TimeZone.h"
#include "fileengine/FileReader.h"
#include "platform/File.h"

namespace plover::test {
namespace {

std::string SampleText(int n) {
  return Ts(("2016/02/29 10:00:" + std::string(n < 10 ? "0" : "") + std::to_string(n)).c_str()) + "<G-STAT>" +
         std::to_string(n) + "</G-STAT>";
}

ContainerItem SampleItem(int n) { return {ContainerItem::kSample, SampleText(n), std::nullopt}; }

class Container : public Mk2Files {
 protected:
  // Loads `bytes` as a container; `stored` lists the G-STAT texts of the
  // samples stored for it, "-" when it has no table.
  bool LoadContainer(const std::string& bytes) { return Load(engine, "c.dat", bytes, 0); }
  std::string Stored() const {
    auto file = engine.samplesByFile.find(dir_.File("c.dat"));
    if (file == engine.samplesByFile.end()) return "-";
    std::string out;
    for (const auto& [index, sample] : file->second) {
      out += std::to_string(index) + ":" + TextOf(sample.gStat) + " ";
    }
    return out;
  }
  bool HasInfo() const { return engine.fileInfoByFile.count(dir_.File("c.dat")) != 0; }

  ScopedTimeZone zone{"UTC0"};
  MetaFileEngine engine;
  ContainerWriter w;
};

TEST_F(Container, ReadsInfoInlineItemsAndSkipsOtherItems) {
  w.AddChunk("JUNK", "ignored");
  w.AddFileInfo("<F-Name>A.MP4</F-Name>");
  w.AddData({{1, {{5, "123456", std::nullopt}, {7, "abcdef", std::nullopt}, SampleItem(1)}},
             {2, {SampleItem(2), {4, "<G-STAT>x</G-STAT>", std::nullopt}}},
             {3, {SampleItem(3)}, false}});  // flag clear, no index: no sample
  ASSERT_TRUE(LoadContainer(w.Finish()));
  EXPECT_EQ(Stored(), "1:1 2:x ");  // 2's second item updates it
  EXPECT_EQ(Sample(engine, dir_.File("c.dat"), 2)->sampleTime, 1456740002);
  EXPECT_EQ(TextOf(engine.fileInfoByFile.at(dir_.File("c.dat")).slots[0]), "A.MP4");
  EXPECT_TRUE(engine.currentPath.empty());
}

TEST_F(Container, IndexServesLaterDataChunksOnly) {
  const std::vector<ContainerRecord> records = {
      {1, {SampleItem(1)}, false}, {2, {{4, "<G-STAT>late</G-STAT>", std::nullopt}}}, {3, {SampleItem(3)}}};
  std::vector<uint32_t> items = ContainerWriter::FirstItemOffsets(records);
  // Two entries for 1 (the first wins); 2 delivered inline and indexed
  // (its indexed text is record 3's).
  w.AddIndex({{1, items[0]}, {1, items[2]}, {2, items[2]}});
  w.AddData(records);
  ASSERT_TRUE(LoadContainer(w.Finish()));
  EXPECT_EQ(Stored(), "1:1 2:3 3:3 ");

  ContainerWriter before;
  before.AddData(records);
  before.AddIndex({{1, items[0]}});
  ASSERT_TRUE(Load(engine, "before.dat", before.Finish(), 0));
  EXPECT_EQ(engine.samplesByFile.at(dir_.File("before.dat")).count(1), 0u);
}

TEST_F(Container, FirstInfoAndFirstDataChunkStay) {
  w.AddFileInfo("<F-Name>other</F-Name>", 3);  // kind 3: skipped
  w.AddFileInfo("<F-Name>first</F-Name>");
  w.AddFileInfo("<F-Name>second</F-Name>");
  w.AddData({{1, {SampleItem(1)}}});
  w.AddData({{1, {SampleItem(9)}}, {2, {SampleItem(2)}}});
  ASSERT_TRUE(LoadContainer(w.Finish()));
  EXPECT_EQ(Stored(), "1:1 ");
  EXPECT_EQ(TextOf(engine.fileInfoByFile.at(dir_.File("c.dat")).slots[0]), "first");
}

TEST_F(Container, TrailerBoundsTheWalk) {
  EXPECT_TRUE(LoadContainer(std::string(128, 'D')));                   // nothing to walk
  EXPECT_FALSE(Load(engine, "short.dat", std::string(127, '\0'), 0));  // too short for a container

  w.AddFileInfo("<F-Name>" + std::string(200, 'n') + "</F-Name>");
  w.AddData({{1, {SampleItem(1)}}});  // under 128 bytes, and the file ends with it
  ASSERT_TRUE(Load(engine, "tail.dat", w.bytes(), 0));
  EXPECT_EQ(engine.samplesByFile.count(dir_.File("tail.dat")), 0u);
}

TEST_F(Container, EmptyDataChunkCountsAsRead) {
  w.AddData({});
  const std::string bytes = w.Finish();
  ASSERT_TRUE(LoadContainer(bytes));
  EXPECT_EQ(Stored(), "");
  EXPECT_FALSE(LoadContainer(bytes));

  ContainerWriter infoOnly;
  infoOnly.AddFileInfo("<F-Name>x</F-Name>");
  ASSERT_TRUE(Load(engine, "info.dat", infoOnly.Finish(), 0));
  EXPECT_TRUE(Load(engine, "info.dat", infoOnly.Finish(), 0));  // no table: may load again
}

// Sizes that would not advance: the walk ends, keeping what it read.
TEST_F(Container, SizesThatDoNotAdvanceEndTheWalk) {
  w.AddFileInfo("<F-Name>x</F-Name>");
  w.AddChunk("ZERO", "", 0);
  w.AddData({{1, {SampleItem(1)}}});
  ASSERT_TRUE(LoadContainer(w.Finish()));
  EXPECT_TRUE(HasInfo());
  EXPECT_EQ(Stored(), "-");

  ContainerWriter wrap;
  wrap.AddData({{1, {SampleItem(1)}}}, 0xFFFFFFF0u);        // the next chunk would lie past 4 GiB
  ASSERT_TRUE(Load(engine, "wrap.dat", wrap.Finish(), 0));  // the zero trailer ends its records
  EXPECT_EQ(engine.samplesByFile.at(dir_.File("wrap.dat")).size(), 1u);

  ContainerWriter zeroRecord;
  const std::vector<ContainerRecord> records = {{1, {SampleItem(1)}, true, 0u}, {2, {SampleItem(2)}}};
  zeroRecord.AddIndex({{1, ContainerWriter::FirstItemOffsets(records)[0]}});
  zeroRecord.AddData(records);
  ASSERT_TRUE(Load(engine, "zero.dat", zeroRecord.Finish(), 0));
  EXPECT_EQ(engine.samplesByFile.at(dir_.File("zero.dat")).size(), 1u);  // record 1 by its index entry only
}

TEST_F(Container, EmptyPartsAddNothing) {
  w.AddChunk("HSPR", std::string(20, '\4'));  // shorter than its 60-byte header
  w.AddFileInfo("");                          // exactly 60 bytes
  w.AddIndex({});
  w.AddData({{1, {{4, "", std::nullopt}, SampleItem(1)}}, {2, {{4, "", std::nullopt}}}});
  ASSERT_TRUE(LoadContainer(w.Finish()));
  EXPECT_FALSE(HasInfo());
  EXPECT_EQ(Stored(), "1:1 ");
}

TEST_F(Container, LyingSizesFailWithoutAllocatingThem) {
  w.AddFileInfo("<F-Name>kept</F-Name>");
  w.AddData({{1, {{4, SampleText(1), 0xFFFFFFFFu}}}});  // a 4 GiB payload
  ASSERT_FALSE(LoadContainer(w.Finish()));
  EXPECT_TRUE(HasInfo());
  EXPECT_EQ(Stored(), "-");
  EXPECT_TRUE(engine.currentPath.empty());

  ContainerWriter hugeIndex;
  hugeIndex.AddIndex({{1, 0}});
  hugeIndex.PatchU32(88 + 16, 0x20000000u);  // count x 8 does not fit 32 bits
  EXPECT_FALSE(Load(engine, "huge.dat", hugeIndex.Finish(), 0));
  hugeIndex.PatchU32(88 + 16, 1000000u);  // entries past the end of the file
  EXPECT_FALSE(Load(engine, "huge.dat", hugeIndex.Finish(), 0));

  ContainerWriter farIndex;
  farIndex.AddHeader(0x7FFFFFF0u);
  EXPECT_FALSE(Load(engine, "far.dat", farIndex.Finish(), 0));

  ContainerWriter bigInfo;
  bigInfo.AddFileInfo("<F-Name>x</F-Name>");
  bigInfo.PatchU32(4, 0xFFFFFF00u);
  EXPECT_FALSE(Load(engine, "info.dat", bigInfo.Finish(), 0));

  ContainerWriter past;  // the record and its chunk claim more than the file holds
  past.AddData({{1, {SampleItem(1)}, true, 5000u}}, 100000);
  EXPECT_FALSE(Load(engine, "past.dat", past.Finish(), 0));
  EXPECT_EQ(engine.samplesByFile.count(dir_.File("past.dat")), 0u);

  ContainerWriter beyond;  // an index entry pointing past the end
  beyond.AddIndex({{1, 0x10000000u}});
  beyond.AddData({{1, {}}});
  EXPECT_FALSE(Load(engine, "beyond.dat", beyond.Finish(), 0));
}

TEST_F(Container, ReaderServesAnyRangeFromItsWindow) {
  std::string bytes(3 * FileReader::kWindowSize + 77, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 + i / 251);
  platform::File file;
  ASSERT_TRUE(file.Open(Write("r.bin", bytes).c_str()));
  FileReader reader(file, bytes.size());
  const uint32_t size = static_cast<uint32_t>(bytes.size());
  std::vector<char> got(FileReader::kWindowSize);
  for (uint32_t offset : {5u, FileReader::kWindowSize - 3, 100u, FileReader::kWindowSize * 2 + 9, size - 12}) {
    ASSERT_TRUE(reader.read_exact(offset, 12, got.data()));
    EXPECT_EQ(std::memcmp(got.data(), bytes.data() + offset, 12), 0) << offset;
  }
  ASSERT_TRUE(reader.read_exact(7, FileReader::kWindowSize / 2, got.data()));
  EXPECT_EQ(std::memcmp(got.data(), bytes.data() + 7, FileReader::kWindowSize / 2), 0);
  uint32_t n = 0;
  EXPECT_TRUE(reader.read_at(size - 5, 12, got.data(), &n));
  EXPECT_EQ(n, 5u);
  EXPECT_FALSE(reader.read_at(size, 12, got.data(), &n));     // at the end: nothing
  EXPECT_FALSE(reader.read_exact(size - 5, 12, got.data()));  // the file ends inside the range
  EXPECT_FALSE(reader.read_exact(0xFFFFFFF0u, 32, got.data()));
}

}  // namespace
}  // namespace plover::test
