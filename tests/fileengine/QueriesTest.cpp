// Answers by path and index number, and the copy rules into caller buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fileengine/MetaFileEngine.h"

namespace plover {
namespace {

PInfoMk2Sample MakeSample(uint32_t index, const char* ts) {
  PInfoMk2Sample sample;
  sample.ts = MakeMk2Text(ts);
  sample.fileName = MakeMk2Text("D:\\META\\A.DAT");
  sample.sampleTime = 1000 + index;
  sample.indexNumber = index;
  return sample;
}

class Queries : public ::testing::Test {
 protected:
  Queries() {
    for (uint32_t i : {10u, 20u, 30u}) table[i] = MakeSample(i, "ts");
    record.ts = ts;
    record.gStat = gStat;
    record.radarTarget = radarTarget;
    record.fileName = fileName;
  }
  // The index number found, or 0 when the query fails.
  uint32_t Find(uint32_t position, int32_t sel) {
    record.indexNumber = 0;
    return engine.pinfo_osd_mk2("D:\\META\\A.DAT", position, sel, &record) ? record.indexNumber : 0;
  }
  MetaFileEngine engine;
  SampleTable& table = engine.samplesByFile["D:\\META\\A.DAT"];
  char ts[64] = "old", gStat[64] = "old", radarTarget[64] = "keep", fileName[64] = "old";
  _SP_INFO_OSD_MK2 record{};
};

TEST_F(Queries, PositionRulesForBothSelValues) {
  EXPECT_EQ(Find(20, 0), 20u);
  EXPECT_EQ(Find(20, 1), 20u);
  EXPECT_EQ(Find(15, 0), 20u);
  EXPECT_EQ(Find(15, 1), 10u);
  EXPECT_EQ(Find(35, 0), 0u);
  EXPECT_EQ(Find(35, 1), 30u);
  EXPECT_EQ(Find(5, 0), 10u);
  EXPECT_EQ(Find(5, 1), 0u);
  EXPECT_EQ(Find(0xFFFFFFFFu, 1), 30u);
  EXPECT_EQ(record.sampleTime, 1030);  // seconds of the sample found

  std::strcpy(ts, "old");
  EXPECT_FALSE(engine.pinfo_osd_mk2("d:\\meta\\a.dat", 10, 0, &record));  // exact byte match only
  EXPECT_FALSE(engine.pinfo_osd_mk2(nullptr, 10, 0, &record));
  engine.samplesByFile["EMPTY"];
  EXPECT_FALSE(engine.pinfo_osd_mk2("EMPTY", 10, 1, &record));
  EXPECT_STREQ(ts, "old");  // failures leave the buffers alone
}

TEST_F(Queries, CopiesBoundedByTheOsdInfoSize) {
  table[10].gStat = MakeMk2Text(std::string(63, 'g'));
  table[10].ts = MakeMk2Text(std::string(64, 't'));
  ASSERT_EQ(Find(10, 0), 10u);
  EXPECT_EQ(std::string(gStat), std::string(63, 'g'));
  EXPECT_EQ(ts[0], '\0');             // too long: emptied
  EXPECT_STREQ(radarTarget, "keep");  // nothing stored: untouched
  EXPECT_STREQ(fileName, "D:\\META\\A.DAT");

  engine.osdInfoSizeMk2 = 4;
  std::strcpy(gStat, "old");
  ASSERT_EQ(Find(20, 0), 20u);
  EXPECT_STREQ(ts, "ts");
  EXPECT_STREQ(gStat, "old");
  EXPECT_EQ(fileName[0], '\0');

  engine.osdInfoSizeMk2 = 0;  // no byte is written at all
  std::strcpy(ts, "old");
  ASSERT_EQ(Find(30, 0), 30u);
  EXPECT_STREQ(ts, "old");
}

TEST(FileInfoQuery, CopiesSlotsToTheirFields) {
  MetaFileEngine engine;
  VInfoMk2Record& info = engine.fileInfoByFile["F"];
  for (size_t k = 0; k < VInfoMk2Record::kSlotCount; ++k) info.slots[k] = MakeMk2Text("s" + std::to_string(k));
  info.slots[VInfoMk2Record::kArea] = nullptr;

  char buffers[VInfoMk2Record::kSlotCount][64];
  _SF_INFO_OSD_MK2 record{};
  char** fields = reinterpret_cast<char**>(&record);  // 60 pointers in slot order
  for (size_t k = 0; k < VInfoMk2Record::kSlotCount; ++k) {
    std::strcpy(buffers[k], "before");
    fields[k] = buffers[k];
  }
  record.vId = nullptr;  // not wanted
  ASSERT_TRUE(engine.finfo_osd_mk2("F", &record));
  EXPECT_STREQ(record.fileName, "s0");
  EXPECT_STREQ(record.osdDate[1], "s3");
  EXPECT_STREQ(record.lastName[1], "s19");
  EXPECT_STREQ(record.gpioSwitch, "s25");
  EXPECT_STREQ(record.asnIcon[15], "s41");
  EXPECT_STREQ(record.asnIconSwitch[0], "s42");
  EXPECT_STREQ(record.timeZone, "s59");
  EXPECT_STREQ(record.area, "before");
  EXPECT_STREQ(buffers[VInfoMk2Record::kVId], "before");

  EXPECT_FALSE(engine.finfo_osd_mk2("G", &record));
  EXPECT_FALSE(engine.finfo_osd_mk2(nullptr, &record));  // a null name finds nothing
}

}  // namespace
}  // namespace plover
