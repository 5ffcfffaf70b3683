// The date-time limits (1970-01-01 00:00:00 UTC to 3000-12-31 23:59:59 UTC)
// as every reader of a calendar text meets them through the exported class:
// sample keys, log-in times, file start times and second-generation sample
// times, in a zone west of UTC, one east of it and UTC itself.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ContainerWriter.h"
#include "PloverMetaParser.h"
#include "TempDir.h"
#include "TimeZone.h"
#include "engine/DocumentSamples.h"

namespace plover::test {
namespace {

constexpr int64_t kLast = 32535215999LL;  // 3000-12-31 23:59:59 UTC

struct Limit {
  const char* zone;
  const char* local;  // the local text of that time in the zone
  int64_t seconds;    // its UTC seconds, or 0 where the conversion fails
};

// Per zone: one second after the epoch, one before it, the last second and
// the one after it.
const Limit kLimits[] = {
    {"UTC0", "1970-01-01 00:00:01", 1},      {"UTC0", "1969-12-31 23:59:59", 0},
    {"UTC0", "3000-12-31 23:59:59", kLast},  {"UTC0", "3001-01-01 00:00:00", 0},
    {"EST5", "1969-12-31 19:00:01", 1},      {"EST5", "1969-12-31 18:59:59", 0},
    {"EST5", "3000-12-31 18:59:59", kLast},  {"EST5", "3000-12-31 19:00:00", 0},
    {"JST-9", "1970-01-01 09:00:01", 1},     {"JST-9", "1970-01-01 08:59:59", 0},
    {"JST-9", "3001-01-01 08:59:59", kLast}, {"JST-9", "3001-01-01 09:00:00", 0},
};

std::string Describe(const Limit& l) { return std::string(l.zone) + " " + l.local; }

TEST(TimeLimits, DocumentSampleLoginAndFileStartTimes) {
  for (const Limit& l : kLimits) {
    SCOPED_TRACE(Describe(l));
    ScopedTimeZone tz(l.zone);
    const std::string time = l.local;
    // A file whose start time does not convert gets 0, which "zero.mp4"
    // already holds: only a converted start time lists a second file.
    std::string doc =
        VInfo() + FInfo(LoginInfo(Login(time, "Ann")) +
                        FileList(File("1", "v", "zero.mp4", "0000-00-00 00:00:00") + File("1", "v", "edge.mp4", time)));
    doc += "<P-Info>\r\n<Index no=\"1\">\r\n<TS>" + time + ".250</TS>\r\n</Index>\r\n</P-Info>\r\n";
    CMetaParser parser;
    ASSERT_EQ(
        parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), "m.xml"),
        0);

    _SP_INFO_OSD sample{};
    const int gotSample = parser.outdata_pinfo_osd(0, 0, &sample);
    EXPECT_EQ(gotSample, l.seconds ? 1 : 0);
    if (gotSample) {
      EXPECT_EQ(sample.sampleTime, static_cast<uint64_t>(l.seconds) * 1000 + 250);
    }

    _SLOGIN_INFO_OSD login{};
    const int gotLogin = parser.outdata_loginInfo_osd(0, 0, &login);
    EXPECT_EQ(gotLogin, l.seconds ? 1 : 0);
    if (gotLogin) {
      EXPECT_EQ(login.loginTime, static_cast<uint32_t>(l.seconds));
    }

    _META_VO_SFILELIST* list = nullptr;
    int count = -1;
    ASSERT_EQ(parser.GetAv3File(0, 1, &list, &count, "m.xml"), 1);
    ASSERT_EQ(count, l.seconds ? 2 : 1);
    EXPECT_STREQ(list[count - 1].fileName, l.seconds ? "edge.mp4" : "zero.mp4");
    ReleaseAv3FileList(list);
  }
}

TEST(TimeLimits, SecondGenerationSampleTimes) {
  TempDir dir;
  const std::string path = dir.File("t.xml");
  for (const Limit& l : kLimits) {
    SCOPED_TRACE(Describe(l));
    ScopedTimeZone tz(l.zone);
    ASSERT_TRUE(WriteFile(path, MakeTextFile("<F-Name>A</F-Name>", {{1, std::string("<TS>") + l.local + "</TS>"}})));
    CMetaParser parser;
    ASSERT_EQ(parser.inputdata_file(path.c_str(), 1), 0);
    _SP_INFO_OSD_MK2 sample{};
    const int got = parser.outdata_pinfo_osd_mk2(path.c_str(), 1, 0, &sample);
    EXPECT_EQ(got, l.seconds ? 1 : 0);
    if (got) {
      EXPECT_EQ(sample.sampleTime, l.seconds);
    }
  }
}

// Every sample key of a document of `samples` samples an hour and a few
// seconds apart, read back in order through the sample query.
std::vector<uint64_t> SampleKeys(int samples) {
  std::string doc = "<P-Info>\r\n";
  for (int i = 0; i < samples; ++i) {
    char ts[32];
    std::snprintf(ts, sizeof ts, "%04d-%02d-%02d %02d:%02d:%02d.000", 1971 + i % 1029, 1 + i % 12, 1 + i % 28, i % 24,
                  i % 60, (7 * i) % 60);
    doc += std::string("<Index no=\"") + std::to_string(i) + "\">\r\n<TS>" + ts + "</TS>\r\n</Index>\r\n";
  }
  doc += "</P-Info>\r\n";
  CMetaParser parser;
  parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), "k.xml");
  std::vector<uint64_t> keys;
  _SP_INFO_OSD sample{};
  for (uint64_t at = 0; parser.outdata_pinfo_osd(at, 0, &sample) == 1; at = sample.sampleTime + 1) {
    keys.push_back(sample.sampleTime);
  }
  return keys;
}

// Objects are independent and the zone is the process's: two objects
// converting on two threads at once give what one thread gives.
TEST(TimeLimits, TwoObjectsOnTwoThreadsAgreeWithOneThread) {
  ScopedTimeZone tz("CET-1CEST,M3.5.0,M10.5.0/3");
  constexpr int kSamples = 3000;
  const std::vector<uint64_t> alone = SampleKeys(kSamples);
  ASSERT_GT(alone.size(), kSamples / 2u);
  std::vector<uint64_t> first, second;
  std::thread a([&] { first = SampleKeys(kSamples); });
  std::thread b([&] { second = SampleKeys(kSamples); });
  a.join();
  b.join();
  EXPECT_EQ(first, alone);
  EXPECT_EQ(second, alone);
}

}  // namespace
}  // namespace plover::test
