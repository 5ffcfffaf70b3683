#include "engine/DocumentIntake.h"

#include <gtest/gtest.h>

#include <string>

#include "DocumentSamples.h"
#include "TimeZone.h"
#include "engine/MetadataEngine.h"

namespace plover {
namespace {

class Intake : public ::testing::Test {
 protected:
  bool Add(const char* name, const std::string& doc) {
    return inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), name);
  }
  test::ScopedTimeZone utc{"UTC0"};
  MetadataEngine engine;
};

// The first document of a name is kept, with its settings; device
// information is replaced and log-ins merged; only the first F-Info counts
// and a LoginInfo outside it is not read.
TEST_F(Intake, FirstDocumentOfANameKeptLatestDeviceInfoWins) {
  const std::string first =
      test::LoginInfo(test::Login("2023-11-15 07:00:00", "Out")) + test::VInfo("M1") +
      test::FInfo("<CameraID>one</CameraID>" + test::LoginInfo(test::Login("2023-11-15 08:00:00", "A"))) +
      test::FInfo("<CameraID>two</CameraID>");
  const std::string second = test::VInfo("M2") + test::FInfo("<CameraID>three</CameraID>" +
                                                             test::LoginInfo(test::Login("2023-11-15 08:00:00", "B")));
  ASSERT_TRUE(Add("doc", first));
  ASSERT_TRUE(Add("doc", second));
  EXPECT_EQ(engine.documents.at("doc").Text(), first);
  EXPECT_EQ(engine.documents.at("doc").settings.slots[kCameraId], "one");
  EXPECT_EQ(engine.devices.at("doc").fields[kRecorderModel], "M2");
  ASSERT_EQ(engine.logins.size(), 1u);
  EXPECT_EQ(engine.logins.begin()->second.records.size(), 2u);
  ASSERT_TRUE(inputdata_xml(engine, "", 0, "empty"));
  EXPECT_EQ(engine.devices.count("empty"), 0u);
}

// Samples see their texts in the stored document (the first of a name) or in
// a copy of their section (a later one): never in the caller's bytes.
TEST_F(Intake, SamplesOutliveTheCallersBytes) {
  auto pinfo = [](const char* latitude) {
    return "<P-Info><Index no=\"1\"><TS>2023/11/15 08:00:00.000</TS><Latitude>" + std::string(latitude) +
           "</Latitude></Index></P-Info>";
  };
  for (const char* latitude : {"N1", "N2"}) {
    std::string doc = pinfo(latitude);
    ASSERT_TRUE(Add("doc", doc));
    doc.assign(doc.size(), 'x');
    EXPECT_EQ(engine.samples.begin()->second.display[kShowLatitude].text, latitude);
  }
  EXPECT_EQ(engine.documents.at("doc").Text(), pinfo("N1"));
}

TEST_F(Intake, BadNamesAndFilesRegistered) {
  const std::string doc =
      test::VInfo() + test::FInfo(test::FileList(test::File("1", "v", "f.mp4", "2020-01-01 10:00:00")));
  EXPECT_FALSE(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), nullptr));
  EXPECT_TRUE(engine.documents.empty() && engine.devices.empty() && engine.documentByFile.empty());
  ASSERT_TRUE(Add("a", doc));
  engine.documentByFile.clear();
  // Registration runs for a name already stored too (it reads the stored copy).
  ASSERT_TRUE(Add("a", "no file list here"));
  EXPECT_EQ(engine.documentByFile.at("f.mp4"), "a");
}

}  // namespace
}  // namespace plover
