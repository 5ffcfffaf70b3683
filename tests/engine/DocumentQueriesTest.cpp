#include "engine/DocumentQueries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocumentSamples.h"
#include "SettingsRecord.h"
#include "engine/DocumentIntake.h"
#include "engine/MetadataEngine.h"

namespace plover {
namespace {

class DocumentQueries : public ::testing::Test {
 protected:
  void Add(const std::string& name, const std::string& doc) {
    ASSERT_TRUE(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), name.c_str()));
  }
  // Result of outdata_str and what the buffer then holds (up to its size).
  std::pair<int32_t, std::string> Str(const char* name, int32_t type, uint32_t size) {
    std::vector<unsigned char> buffer(size + 1, '#');
    const int32_t result = outdata_str(engine, name, type, buffer.data(), size);
    return {result, std::string(buffer.begin(), buffer.end() - 1)};
  }
  MetadataEngine engine;
};

TEST_F(DocumentQueries, SettingsCopyRules) {
  Add("a", test::FInfo("<CameraID>" + std::string(63, 'c') +
                       "</CameraID><TimeSettings><Style>s</Style>"
                       "</TimeSettings>"));
  Add("b", test::FInfo("<CameraID>" + std::string(64, 'c') + "</CameraID>"));
  test::SettingsRecord out;
  ASSERT_TRUE(outdata_finfo_osd(engine, "a", &out.record));
  EXPECT_EQ(std::string(out.record.cameraId), std::string(63, 'c'));
  EXPECT_STREQ(out.record.style, "s");
  EXPECT_STREQ(out.record.timeZoneRule, "untouched");  // absent setting: buffer left as it was
  ASSERT_TRUE(outdata_finfo_osd(engine, "b", &out.record));
  EXPECT_STREQ(out.record.cameraId, "");  // 64 characters do not fit 64 bytes with the NUL

  // A smaller size applies to every buffer; a null pointer is skipped.
  engine.osdInfoSize = 2;
  out.record.cameraId = nullptr;
  ASSERT_TRUE(outdata_finfo_osd(engine, "a", &out.record));
  EXPECT_STREQ(out.record.style, "s");
  engine.osdInfoSize = 1;
  ASSERT_TRUE(outdata_finfo_osd(engine, "a", &out.record));
  EXPECT_STREQ(out.record.style, "");

  _SF_INFO_OSD allNull{};
  EXPECT_TRUE(outdata_finfo_osd(engine, "a", &allNull));
  test::SettingsRecord untouched;
  EXPECT_FALSE(outdata_finfo_osd(engine, "A", &untouched.record));
  EXPECT_FALSE(outdata_finfo_osd(engine, nullptr, &untouched.record));
  for (size_t i = 0; i < test::SettingsRecord::kSlots; ++i) EXPECT_EQ(untouched.Slot(i), "untouched");
}

TEST_F(DocumentQueries, SectionSizeBoundaries) {
  const std::string finfo = "<F-Info><CameraID>x</CameraID></F-Info>";
  const std::string doc = "<V-Info></V-Info>" + finfo + "<AVHash>h1</AVHash><METAHash>h2</METAHash>";
  Add("d", doc);
  const uint32_t n = static_cast<uint32_t>(finfo.size());
  // Type 2: one byte more than the element is needed, although no NUL is written.
  EXPECT_EQ(Str("d", 2, n), std::make_pair(int32_t(n + 1), std::string(n, '#')));
  EXPECT_EQ(Str("d", 2, n + 1), std::make_pair(int32_t(n), finfo + "#"));
  EXPECT_EQ(Str("d", 0, 64).second.substr(0, 17), "<V-Info></V-Info>");
  EXPECT_EQ(Str("d", 3, 64).first, 19);
  EXPECT_EQ(Str("d", 4, 64).second.substr(0, 23), "<METAHash>h2</METAHash>");
  EXPECT_EQ(Str("d", 1, 64).first, -1);  // no P-Info
  // Type 5: a buffer exactly as long as the document suffices.
  const uint32_t d = static_cast<uint32_t>(doc.size());
  EXPECT_EQ(Str("d", 5, d), std::make_pair(int32_t(d), doc));
  EXPECT_EQ(Str("d", 5, d - 1), std::make_pair(int32_t(d), std::string(d - 1, '#')));
  // Unknown and null names answer 0, like the whole of an empty document.
  Add("empty", "");
  EXPECT_EQ(Str("nope", 5, 8).first, 0);
  EXPECT_EQ(Str(nullptr, 2, 8).first, 0);
  EXPECT_EQ(Str("empty", 5, 8), std::make_pair(0, std::string(8, '#')));
}

TEST_F(DocumentQueries, RecorderModel) {
  Add("a", test::VInfo("REC-9"));
  Add("nomodel", R"(<V-Info><Recorder serial="1"/></V-Info>)");
  EXPECT_EQ(GetModelTypeVinfo(engine, "a", "REC-9"), 1);
  EXPECT_EQ(GetModelTypeVinfo(engine, "a", "rec-9"), 0);
  EXPECT_EQ(GetModelTypeVinfo(engine, "a", "REC-"), 0);
  EXPECT_EQ(GetModelTypeVinfo(engine, "a", "REC-90"), 0);
  EXPECT_EQ(GetModelTypeVinfo(engine, "nomodel", ""), 0);  // a missing model matches nothing
  EXPECT_EQ(GetModelTypeVinfo(engine, "b", "REC-9"), -1);
  EXPECT_EQ(GetModelTypeVinfo(engine, nullptr, "REC-9"), -1);
}

}  // namespace
}  // namespace plover
