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
  Add("a", test::FInfo("<CameraID>" + std::string(64, 'c') +
                       "</CameraID><TimeSettings><Style>s</Style>"
                       "</TimeSettings>"));
  test::SettingsRecord out;
  out.record.styleType = nullptr;  // a null pointer is skipped
  ASSERT_TRUE(outdata_finfo_osd(engine, "a", &out.record));
  EXPECT_STREQ(out.record.cameraId, "");  // 64 characters do not fit 64 bytes with the NUL
  EXPECT_STREQ(out.record.style, "s");
  EXPECT_STREQ(out.record.timeZoneRule, "untouched");  // absent setting: buffer left as it was
  test::SettingsRecord untouched;
  EXPECT_FALSE(outdata_finfo_osd(engine, "A", &untouched.record));
  for (size_t i = 0; i < test::SettingsRecord::kSlots; ++i) EXPECT_EQ(untouched.Slot(i), "untouched");
}

TEST_F(DocumentQueries, SectionSizeBoundaries) {
  const std::string finfo = "<F-Info><CameraID>x</CameraID></F-Info>";
  const std::string doc = "<V-Info></V-Info>" + finfo + "<AVHash>h1</AVHash><METAHash>h2</METAHash>";
  Add("d", doc);
  const uint32_t n = static_cast<uint32_t>(finfo.size());
  // One byte more than the element is needed, although no NUL is written.
  EXPECT_EQ(Str("d", 2, n), std::make_pair(int32_t(n + 1), std::string(n, '#')));
  EXPECT_EQ(Str("d", 2, n + 1), std::make_pair(int32_t(n), finfo + "#"));
  EXPECT_EQ(Str("d", 3, 64).first, 19);
  EXPECT_EQ(Str("d", 1, 64).first, -1);  // no P-Info
  // Type 5: a buffer exactly as long as the document suffices.
  const uint32_t d = static_cast<uint32_t>(doc.size());
  EXPECT_EQ(Str("d", 5, d), std::make_pair(int32_t(d), doc));
  EXPECT_EQ(Str("d", 5, d - 1), std::make_pair(int32_t(d), std::string(d - 1, '#')));
  Add("empty", "");
  EXPECT_EQ(Str("empty", 5, 8), std::make_pair(0, std::string(8, '#')));
}

TEST_F(DocumentQueries, RecorderModelMatchesWhole) {
  Add("a", test::VInfo("REC-9"));
  Add("nomodel", R"(<V-Info><Recorder serial="1"/></V-Info>)");
  for (const char* other : {"rec-9", "REC-", "REC-90"}) EXPECT_EQ(GetModelTypeVinfo(engine, "a", other), 0);
  EXPECT_EQ(GetModelTypeVinfo(engine, "nomodel", ""), 0);  // a missing model matches nothing
}

}  // namespace
}  // namespace plover
