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
  const uint32_t cases[][3] = {{20, 0, 20}, {20, 1, 20}, {15, 0, 20}, {15, 1, 10},         {35, 0, 0},
                               {35, 1, 30}, {5, 0, 10},  {5, 1, 0},   {0xFFFFFFFFu, 1, 30}};
  for (const auto& c : cases) EXPECT_EQ(Find(c[0], static_cast<int32_t>(c[1])), c[2]) << c[0] << " " << c[1];
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

}  // namespace
}  // namespace plover
