// The file-information and sample parsers, and the attribute reader they share.
#include <gtest/gtest.h>

#include <string>

#include "TimeZone.h"
#include "fileengine/AttributeValue.h"
#include "fileengine/MetaFileEngine.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

using Slot = VInfoMk2Record::Slot;

std::string Attr(const std::string& element, const char* attribute) {
  uint32_t length = 99;
  const char* value = FindAttributeValue(element.data(), static_cast<uint32_t>(element.size()), attribute, &length);
  if (value == nullptr) return length == 0 ? "(none)" : "(length not reset)";
  return std::string(value, length);
}

TEST(FindAttributeValueTest, ReadsTheStartTagOnly) {
  EXPECT_EQ(Attr("<Index no=\"\">", "no=\"") + Attr("<Index xno=\"4\">", "no=\""), "4");  // plain substring
  for (const char* none : {"<Index no=\"3>", "<Index>", "<Index><a no=\"5\">", "<Index no=\"5", "Index no=\"5\">"}) {
    EXPECT_EQ(Attr(none, "no=\""), "(none)") << none;
  }
  uint32_t length = 0;
  EXPECT_EQ(FindAttributeValue("<a no=\"1\">", 10, "no=\"", nullptr), nullptr);
  EXPECT_EQ(FindAttributeValue("<a no=\"1\">", 6, "no=\"", &length), nullptr);  // bound p + A < end
}

class VInfoParse : public ::testing::Test {
 protected:
  VInfoParse() { engine.currentPath = "A.DAT"; }
  const VInfoMk2Record& Parse(const std::string& text) {
    EXPECT_TRUE(engine.parse_vinfo_mk2(text.data(), static_cast<uint32_t>(text.size())));
    return engine.fileInfoByFile.at("A.DAT");
  }
  static std::string S(const VInfoMk2Record& r, size_t slot) { return r.slots[slot] ? *r.slots[slot] : "(null)"; }
  MetaFileEngine engine;
};

TEST_F(VInfoParse, FillsEverySlotFromItsSource) {
  std::string text =
      "<F-Name>A.MP4</F-Name><TZoneInfo gmt=\"+09:00\"></TZoneInfo><TZone>JST</TZone>"
      "<StreamInfo><Stream id=\"0\"><OSD date=\"d0\" gpio=\"g0\" src-area=\"a0\" style=\"s0\" pos=\"p0\"/></Stream>"
      "<Stream id=\"1\"><OSD date=\"d1\" gpio=\"g1\" src-area=\"a1\" style=\"s1\" pos=\"\"></OSD></Stream>"
      "<Stream id=\"2\"><OSD date=\"d2\"/></Stream></StreamInfo>"
      "<Shift><PTN>Day</PTN></Shift>"
      "<Officers><Officer no=\"1\"><O-ID>7</O-ID><First>Ann</First><Middle>B</Middle><Last>Cole</Last></Officer>"
      "<Officer no=\"2\"><Last>Dunn</Last></Officer><Officer no=\"3\"><Last>Nope</Last></Officer></Officers>"
      "<V-ID>car9</V-ID><Area>North</Area><UnitName>U1</UnitName><Agency>Ag</Agency>"
      "<GPIO sw=\"on\">";
  for (int n = 1; n <= 17; ++n) {
    const std::string k = std::to_string(n);
    text += "<ASN no=\"" + k + "\"><ICON sw=\"" + k + "\">i" + k + "</ICON></ASN>";
  }
  text += "</GPIO><R-Speed><Unit>km/h</Unit></R-Speed>";
  const VInfoMk2Record& r = Parse(text);

  // Every slot in order; TZone is not read beside TZoneInfo, the third
  // officer and the 17th ASN are beyond the record.
  std::string all;
  for (const Mk2Text& slot : r.slots) all += (slot ? *slot : "-") + ",";
  EXPECT_EQ(all,
            "A.MP4,+09:00,d0,d1,g0,g1,a0,a1,s0,s1,p0,,7,-,Ann,-,B,-,Cole,Dunn,Day,car9,North,U1,Ag,on,i1,i2,i3,i4,i5,"
            "i6,i7,i8,i9,i10,i11,i12,i13,i14,i15,i16,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,km/h,-,");
}

TEST_F(VInfoParse, PrecedenceAndOptionalParts) {
  const VInfoMk2Record& both = Parse("<TZoneInfo gmt=\"+09:00\"/><TZone>JST</TZone>");
  EXPECT_EQ(S(both, Slot::kTimeZoneGmt) + S(both, Slot::kTimeZone), "+09:00(null)");
  engine.clear_files();
  const VInfoMk2Record& bare = Parse("<TZoneInfo></TZoneInfo><TZone>JST</TZone>");  // no gmt: TZone unread
  EXPECT_EQ(S(bare, Slot::kTimeZoneGmt) + S(bare, Slot::kTimeZone), "(null)(null)");
  engine.clear_files();
  const VInfoMk2Record& r = Parse(
      "<TZone>JST</TZone><StreamInfo><Stream id=\"1\"><OSD date=\"x\"/></Stream></StreamInfo>"
      "<GPIO><ASN no=\"5\"><ICON sw=\"1\"></ICON></ASN><ASN no=\"6\"><ICON sw=\"1\"/></ASN></GPIO>");
  EXPECT_EQ(S(r, Slot::kTimeZoneGmt) + S(r, Slot::kTimeZone), "(null)JST");
  EXPECT_EQ(S(r, Slot::kOsdDate) + S(r, Slot::kOsdDate + 1), "(null)x");
  EXPECT_EQ(S(r, Slot::kAsnIconSwitch + 4) + S(r, Slot::kAsnIcon + 4), "1(null)");
  // A self-closing ICON has its attribute text as content.
  EXPECT_EQ(S(r, Slot::kAsnIconSwitch + 5) + S(r, Slot::kAsnIcon + 5), "1sw=\"1\"");

  const std::string second = "<F-Name>second</F-Name>";  // the first record of a path stays
  EXPECT_FALSE(engine.parse_vinfo_mk2(second.data(), static_cast<uint32_t>(second.size())));
  EXPECT_EQ(S(engine.fileInfoByFile.at("A.DAT"), Slot::kFileName), "(null)");
}

class PInfoParse : public ::testing::Test {
 protected:
  PInfoParse() { engine.currentPath = "P.DAT"; }
  bool Parse(const std::string& text, uint32_t index) {
    return engine.parse_pinfo_mk2(text.data(), static_cast<uint32_t>(text.size()), index, table);
  }
  std::string Field(uint32_t index, Mk2Text PInfoMk2Sample::*field) const {
    const Mk2Text& text = table.at(index).*field;
    return text ? *text : "(null)";
  }
  test::ScopedTimeZone zone{"JST-9"};
  MetaFileEngine engine;
  SampleTable table;
};

TEST_F(PInfoParse, InheritsFromSameIndexElseGreatest) {
  ASSERT_TRUE(Parse("<TS>2016/02/29 10:00:00</TS><GPS><Latitude>N35.1</Latitude></GPS>", 1));
  const int64_t t = scan::ParseDateTime("2016/02/29 10:00:00", false);
  EXPECT_EQ(table.at(1).sampleTime, t);
  EXPECT_EQ(Field(1, &PInfoMk2Sample::longitude), "(null)");
  EXPECT_EQ(Field(1, &PInfoMk2Sample::fileName), "P.DAT");

  ASSERT_TRUE(Parse("<GPS><Longitude>E139.2</Longitude></GPS>", 2));
  EXPECT_EQ(table.at(2).sampleTime, t);
  EXPECT_EQ(Field(2, &PInfoMk2Sample::latitude) + Field(2, &PInfoMk2Sample::longitude), "N35.1E139.2");
  EXPECT_EQ(table.at(2).indexNumber, 2u);

  ASSERT_TRUE(Parse("<G-STAT>0001</G-STAT>", 1));  // updates sample 1, not from 2
  EXPECT_EQ(Field(1, &PInfoMk2Sample::gStat) + Field(1, &PInfoMk2Sample::longitude), "0001(null)");
  EXPECT_EQ(Field(1, &PInfoMk2Sample::ts), "2016/02/29 10:00:00");

  ASSERT_TRUE(Parse("<TS>2016/02/29 10:00:05.250</TS><G-STAT>5</G-STAT>", 5));  // milliseconds dropped
  EXPECT_EQ(table.at(5).sampleTime, t + 5);
  ASSERT_TRUE(Parse("<Radar><Own>12</Own><Target>34</Target></Radar><Own>99</Own>", 3));
  EXPECT_EQ(Field(3, &PInfoMk2Sample::gStat), "5");  // from 5, the greatest, not from 2
  EXPECT_EQ(Field(3, &PInfoMk2Sample::radarOwn) + Field(3, &PInfoMk2Sample::radarTarget), "1234");
  EXPECT_EQ(Field(3, &PInfoMk2Sample::own), "(null)");
}

TEST_F(PInfoParse, RefusesSamplesWithoutUsableTime) {
  EXPECT_FALSE(Parse("<GPS><Latitude>N1</Latitude></GPS>", 1));
  EXPECT_FALSE(Parse("<TS>2016/02/29 10:00</TS>", 1));
  EXPECT_FALSE(Parse("<TS>1970/01/01 00:00:00</TS>", 1));  // before 1970 UTC east of Greenwich
  EXPECT_FALSE(engine.parse_pinfo_mk2(nullptr, 0, 1, table));
  EXPECT_TRUE(table.empty());
  {
    test::ScopedTimeZone utc("UTC0");
    EXPECT_FALSE(Parse("<TS>1970/01/01 00:00:00</TS>", 1));
  }
  ASSERT_TRUE(Parse("<TS>2016/02/29 10:00:00</TS><G-STAT>a</G-STAT>", 1));
  EXPECT_FALSE(Parse("<TS>bad</TS><G-STAT>b</G-STAT>", 1));  // refusal keeps the stored sample
  EXPECT_EQ(Field(1, &PInfoMk2Sample::gStat), "a");
}

}  // namespace
}  // namespace plover
