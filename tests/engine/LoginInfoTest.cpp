#include "engine/LoginInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "DocumentSamples.h"
#include "SettingsRecord.h"
#include "TimeZone.h"
#include "engine/MetadataEngine.h"

namespace plover {
namespace {

constexpr uint64_t k0800 = 1700035200;  // 2023-11-15 08:00:00 UTC
constexpr uint64_t kHour = 3600;

using LoginOut = test::LoginRecordOut;

class Logins : public ::testing::Test {
 protected:
  bool Parse(const std::string& inner, const char* file = "doc.xml") {
    const std::string element = test::LoginInfo(inner);
    return parse_loginInfo(engine, element.data(), static_cast<uint32_t>(element.size()), file);
  }
  test::ScopedTimeZone utc{"UTC0"};
  MetadataEngine engine;
};

TEST_F(Logins, SameTimeMergesTextsAndRecords) {
  const std::string a = test::Login("2023-11-15 08:00:00", "Ann");
  const std::string b = test::Login("2023-11-15 08:00:00", "Bob");
  ASSERT_TRUE(Parse(a + "\r\n" + b));
  ASSERT_EQ(engine.logins.size(), 1u);
  const LoginEntry& entry = engine.logins.at(k0800);
  EXPECT_EQ(entry.text, a + "\r\n" + b);
  ASSERT_EQ(entry.records.size(), 2u);
  EXPECT_EQ(entry.records[0].texts[LoginRecord::kFileName], "doc.xml");
  LoginOut out;
  ASSERT_TRUE(outdata_loginInfo_osd(engine, k0800, 0, &out.record));
  EXPECT_EQ(
      std::string(out.record.firstName[0]) + out.record.lastName[0] + out.record.officerId[0] + out.record.field[0],
      "AnnLAnnID-AnnF1");
  EXPECT_STREQ(out.record.fileName, "untouched");  // not one of the query's buffers

  // The same section again appends every Login a second time.
  ASSERT_TRUE(Parse(a + "\r\n" + b, "other.xml"));
  EXPECT_EQ(engine.logins.at(k0800).text, a + "\r\n" + b + "\r\n" + a + "\r\n" + b);
  EXPECT_EQ(engine.logins.at(k0800).records.size(), 4u);
}

TEST_F(Logins, QueryDirections) {
  LoginOut out;
  EXPECT_FALSE(outdata_loginInfo_osd(engine, k0800, 0, &out.record));  // empty map
  ASSERT_TRUE(Parse(test::Login("2023-11-15 09:00:00", "Nine") + test::Login("2023-11-15 08:00:00", "Eight")));
  auto who = [&](uint64_t time, int32_t sel) -> std::string {
    LoginOut o;
    if (!outdata_loginInfo_osd(engine, time, sel, &o.record)) return "none";
    EXPECT_EQ(o.record.loginTime, o.record.firstName[0] == std::string("Eight") ? k0800 : k0800 + kHour);
    return o.record.firstName[0];
  };
  const uint64_t high = (uint64_t{1} << 32) + k0800 + kHour;
  const struct {
    uint64_t time;
    int32_t sel;
    const char* who;
  } cases[] = {{k0800 + kHour / 2, 0, "Nine"},
               {k0800 + kHour / 2, 1, "Eight"},
               {k0800 - kHour, 1, "none"},
               {k0800 - kHour, 0, "Eight"},
               {k0800 + 2 * kHour, 0, "none"},
               {k0800 + 2 * kHour, 1, "Nine"},
               {k0800 + kHour, 0, "Nine"},
               {k0800 + kHour, 1, "Nine"},
               // Only the low 32 bits are compared, but a time with high bits
               // set is never an exact hit: direction 1 takes the entry before.
               {high, 0, "Nine"},
               {high, 1, "Eight"}};
  for (const auto& c : cases) EXPECT_EQ(who(c.time, c.sel), c.who) << c.time << " " << c.sel;
}

TEST_F(Logins, PartialAndEmptyElements) {
  ASSERT_TRUE(Parse(R"(<Login time="2023-11-15 08:00:00"><Officers><Officer id="2"><First>Two</First>)"
                    R"(<Middle></Middle></Officer></Officers><Field id="5">five</Field></Login>)"));
  LoginOut out;
  ASSERT_TRUE(outdata_loginInfo_osd(engine, k0800, 0, &out.record));
  // An empty Middle counts as missing.
  EXPECT_EQ(std::string(out.record.firstName[0]) + "|" + out.record.firstName[1] + "|" + out.record.middleName[1] +
                "|" + out.record.field[4],
            "untouched|Two|untouched|five");
}

TEST_F(Logins, ParseStopsButKeepsWhatItStored) {
  const std::string a = test::Login("2023-11-15 08:00:00", "A");
  const std::string b = test::Login("2023-11-15 09:00:00", "B");
  EXPECT_FALSE(Parse(a + "<!-- end -->"));  // a comment after the last Login
  EXPECT_EQ(engine.logins.size(), 1u);
  EXPECT_FALSE(Parse(b + "<Login/>" + a));  // shorter than 32 bytes: no time
  EXPECT_EQ(engine.logins.size(), 2u);
  EXPECT_EQ(engine.logins.at(k0800).records.size(), 1u);
  EXPECT_FALSE(Parse(R"(<Login time="not a time at all, really">x</Login>)"));
  EXPECT_FALSE(Parse("<Login time=\"2023-11-15 10:00:00\">no end tag"));
  EXPECT_EQ(engine.logins.size(), 2u);
  EXPECT_TRUE(Parse("no elements"));
  const std::string empty = "<LoginInfo></LoginInfo>";
  EXPECT_FALSE(parse_loginInfo(engine, empty.data(), static_cast<uint32_t>(empty.size()), "x"));
}

TEST_F(Logins, TimeText) {
  auto time = [](const std::string& s) { return login_time(s.data(), static_cast<uint32_t>(s.size())); };
  // The first quoted value among the first 32 characters, whatever its attribute.
  EXPECT_EQ(time(R"(<Login at="2023-11-15 08:00:00">....)"), k0800);
  // No quote among them: the time starts at the 34th character.
  const std::string pad = "<Login" + std::string(27, ' ');  // 33 characters
  EXPECT_EQ(time(pad + "2023-11-15 09:00:00>"), k0800 + kHour);
  EXPECT_EQ(time(pad + "2023-11-15 09:00:0"), 0u);  // 18 left
  EXPECT_EQ(time("<Login/>"), 0u);
  test::ScopedTimeZone east("JST-9");
  EXPECT_EQ(time(R"(<Login at="2023-11-15 08:00:00">....)"), k0800 - 9 * kHour);
}

}  // namespace
}  // namespace plover
