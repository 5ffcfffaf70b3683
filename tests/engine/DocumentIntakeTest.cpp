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
  std::optional<std::string> Setting(const char* name, int slot) {
    return engine.documents.at(name).settings.slots[static_cast<size_t>(slot)];
  }
  test::ScopedTimeZone utc{"UTC0"};
  MetadataEngine engine;
};

TEST_F(Intake, EmptyAndSectionlessDocumentsAreStored) {
  ASSERT_TRUE(inputdata_xml(engine, "", 0, "empty"));
  EXPECT_EQ(engine.documents.at("empty").Text(), "");
  for (const auto& slot : engine.documents.at("empty").settings.slots) EXPECT_FALSE(slot);
  EXPECT_EQ(engine.devices.count("empty"), 0u);
  ASSERT_TRUE(Add("plain", "just text, no sections"));
  EXPECT_EQ(engine.documents.at("plain").Text(), "just text, no sections");
  ASSERT_TRUE(Add("samples", "<P-Info><Index no=\"1\"><TS>2023/11/15 08:00:00.000</TS></Index></P-Info>"));
  EXPECT_EQ(engine.samples.size(), 1u);
  for (const auto& slot : engine.documents.at("samples").settings.slots) EXPECT_FALSE(slot);
}

TEST_F(Intake, FirstDocumentOfANameKeptLatestDeviceInfoWins) {
  const std::string first = test::VInfo("M1") + test::FInfo("<CameraID>one</CameraID>" +
                                                            test::LoginInfo(test::Login("2023-11-15 08:00:00", "A")));
  const std::string second = test::VInfo("M2") + test::FInfo("<CameraID>two</CameraID>" +
                                                             test::LoginInfo(test::Login("2023-11-15 08:00:00", "B")));
  ASSERT_TRUE(Add("doc", first));
  ASSERT_TRUE(Add("doc", second));
  EXPECT_EQ(engine.documents.at("doc").Text(), first);
  EXPECT_EQ(Setting("doc", kCameraId), "one");
  EXPECT_EQ(engine.devices.at("doc").fields[kRecorderModel], "M2");
  EXPECT_EQ(engine.logins.begin()->second.records.size(), 2u);  // log-ins are merged either way
}

// Samples see their texts in the stored document (the first of a name) or in
// a copy of their section (a later one): never in the caller's bytes.
TEST_F(Intake, SamplesOutliveTheCallersBytes) {
  auto pinfo = [](const char* latitude) {
    return "<P-Info><Index no=\"1\"><TS>2023/11/15 08:00:00.000</TS><Latitude>" + std::string(latitude) +
           "</Latitude></Index></P-Info>";
  };
  std::string doc = pinfo("N1");
  ASSERT_TRUE(Add("doc", doc));
  const PInfoSample& first = engine.samples.begin()->second;
  EXPECT_EQ(first.source->bytes, engine.documents.at("doc").document);
  doc.assign(doc.size(), 'x');
  EXPECT_EQ(first.display[kShowLatitude].text, "N1");

  doc = pinfo("N2");
  ASSERT_TRUE(Add("doc", doc));
  doc.assign(doc.size(), 'x');
  const PInfoSample& second = engine.samples.begin()->second;
  EXPECT_EQ(second.display[kShowLatitude].text, "N2");
  EXPECT_EQ(second.display[kShowFileName].text, "doc");
  EXPECT_EQ(engine.documents.at("doc").Text(), pinfo("N1"));
}

TEST_F(Intake, OnlyTheFirstFInfoCountsAndLoginInfoMustBeInside) {
  const std::string login = test::LoginInfo(test::Login("2023-11-15 08:00:00", "Out"));
  const std::string doc =
      login + test::FInfo("<CameraID>first</CameraID>") +
      test::FInfo("<CameraID>second</CameraID>" + test::LoginInfo(test::Login("2023-11-15 09:00:00", "In")));
  ASSERT_TRUE(Add("doc", doc));
  EXPECT_EQ(Setting("doc", kCameraId), "first");
  EXPECT_TRUE(engine.logins.empty());
}

TEST_F(Intake, BadNamesAndFilesRegistered) {
  // A null name is refused and stores nothing.
  const std::string doc =
      test::VInfo() + test::FInfo(test::FileList(test::File("1", "v", "f.mp4", "2020-01-01 10:00:00")));
  EXPECT_FALSE(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), nullptr));
  EXPECT_TRUE(engine.documents.empty() && engine.devices.empty() && engine.documentByFile.empty());
  // A long name is an ordinary key.
  const std::string longName(300, 'L');
  ASSERT_TRUE(Add(longName.c_str(), doc));
  EXPECT_EQ(engine.documentByFile.at("f.mp4"), longName);
  EXPECT_EQ(engine.devices.count(longName), 1u);
  // Registration runs for a name already stored too (it reads the stored copy).
  engine.documentByFile.clear();
  ASSERT_TRUE(Add(longName.c_str(), "no file list here"));
  EXPECT_EQ(engine.documentByFile.at("f.mp4"), longName);
}

}  // namespace
}  // namespace plover
