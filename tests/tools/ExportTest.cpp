// The exporters and the OSD texts on hand-made moments: the corners the
// example recording does not reach (texts that need escaping, positions at
// the date line, samples without time or position, tracks as input), and
// reading values out of a raw device section.
#include <gtest/gtest.h>

#include "Exporters.h"
#include "Markup.h"
#include "Moment.h"
#include "TextEscape.h"
#include "TimeZone.h"

namespace plovermeta {
namespace {

Moment MakeMomentAt(uint64_t timeMs, const std::string& latitude, const std::string& longitude,
                    const std::string& own = "50") {
  Moment moment;
  moment.sample.key = timeMs;
  moment.sample.timeMs = timeMs;
  moment.sample.hasTime = true;
  moment.sample.ts = "2026/03/14 10:00:00.000";
  moment.sample.latitude = latitude;
  moment.sample.longitude = longitude;
  moment.sample.own = own;
  moment.sample.speeds = {own, "1", "2", "3", "4"};
  moment.sample.gStat = "100000000000000000000001";
  moment.sample.fileName = "a.xml";
  moment.speedUnit = "km/h";
  moment.position = ParsePosition(latitude, longitude);
  return moment;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

class ExportTest : public ::testing::Test {
 protected:
  plover::test::ScopedTimeZone zone_{"UTC0"};
  ExportInput input_{"a<&>.xml", FileForm::kDocument, {}};
};

TEST_F(ExportTest, GpxKeepsLongitudesInItsRangeAndEscapesTexts) {
  input_.moments.push_back(MakeMomentAt(1000, "10.5N", "180.0E"));
  input_.moments.push_back(MakeMomentAt(2000, "--", "--"));
  input_.moments.push_back(MakeMomentAt(3000, "10.5S", "179.5W"));
  input_.moments.back().officers = "P-1 \"Al\" <Smith>";
  const std::string gpx = ExportGpx(input_);
  EXPECT_EQ(Count(gpx, "<trkpt "), 2u);
  EXPECT_NE(gpx.find("<trkpt lat=\"10.5000000\" lon=\"-180.0000000\">"), std::string::npos) << gpx;
  EXPECT_NE(gpx.find("<name>a&lt;&amp;&gt;.xml</name>"), std::string::npos);
  EXPECT_NE(gpx.find("officers P-1 &quot;Al&quot; &lt;Smith&gt;"), std::string::npos);
  EXPECT_NE(gpx.find("<bounds minlat=\"-10.5000000\" minlon=\"-180.0000000\" maxlat=\"10.5000000\" "
                     "maxlon=\"-179.5000000\"/>"),
            std::string::npos);
}

TEST_F(ExportTest, GeoJsonPutsLongitudeFirstAndEscapesProperties) {
  input_.moments.push_back(MakeMomentAt(0, "N1.25", "E2.5"));
  input_.moments.back().officers = "Ann \"A\"\\B";
  input_.moments.push_back(MakeMomentAt(1000, "--", "--"));
  const std::string json = ExportGeoJson(input_);
  EXPECT_NE(json.find("\"coordinates\":[2.5000000,1.2500000]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"officers\":\"Ann \\\"A\\\"\\\\B\""), std::string::npos);
  EXPECT_NE(json.find("\"inputsOn\":\"1, 24\""), std::string::npos);
  EXPECT_EQ(Count(json, "\"type\":\"Point\""), 2u);  // the one-position route and its sample
  input_.moments.push_back(MakeMomentAt(2000, "N1.5", "E2.5"));
  EXPECT_NE(ExportGeoJson(input_).find("\"coordinates\":[[2.5000000,1.2500000],[2.5000000,1.5000000]]"),
            std::string::npos);
}

TEST_F(ExportTest, CsvGivesEverySampleARowAndTracksTheirCues) {
  input_.moments.push_back(MakeMomentAt(0, "--", "--"));
  input_.moments.back().sample.gStat = "1,0";
  const std::string csv = ExportCsv(input_);
  EXPECT_EQ(Count(csv, "\r\n"), 2u);
  EXPECT_NE(csv.find(",--,--,,,50,"), std::string::npos) << csv;
  EXPECT_NE(csv.find(",\"1,0\",1,"), std::string::npos);

  ExportInput track{"t.vtt", FileForm::kTrack, {MakeMomentAt(1500, "", "")}};
  track.moments[0].sample.endMs = 2500;
  track.moments[0].sample.lines = {"first", "say \"hi\""};
  EXPECT_EQ(ExportCsv(track), "start,end,text\r\n00:00:01.500,00:00:02.500,\"first\nsay \"\"hi\"\"\"\r\n");
}

TEST_F(ExportTest, SubtitlesAreTimedFromTheFirstSampleAndKeepCuesWhole) {
  input_.moments.push_back(MakeMomentAt(10000, "1N", "2E"));
  input_.moments.push_back(MakeMomentAt(12500, "1N", "2E"));
  input_.moments.back().sample.gStat = "";  // an empty field still gives a line
  input_.moments.back().officers = "A --> <i>B</i> & C";
  Moment untimed = MakeMomentAt(0, "1N", "2E");
  untimed.sample.hasTime = false;
  input_.moments.push_back(untimed);

  const std::string vtt = ExportSubtitles(input_, false);
  EXPECT_NE(vtt.find("\r\n1\r\n00:00:00.000 --> 00:00:02.500 align:start line:80%\r\n"), std::string::npos) << vtt;
  // The last cue lasts as long as the one before it.
  EXPECT_NE(vtt.find("\r\n2\r\n00:00:02.500 --> 00:00:05.000"), std::string::npos);
  EXPECT_EQ(Count(vtt, "-->"), 2u);  // the officers' arrow is not a third timing line
  EXPECT_NE(vtt.find("officers A --&gt; &lt;i&gt;B&lt;/i&gt; &amp; C\r\n"), std::string::npos);
  EXPECT_NE(vtt.find("status \r\n"), std::string::npos);

  EXPECT_EQ(ExportSubtitles(input_, true).rfind("1\r\n00:00:00,000 --> 00:00:02,500\r\n", 0), 0u);

  ExportInput single{"s.xml", FileForm::kDocument, {MakeMomentAt(5000, "1N", "2E")}};
  EXPECT_NE(ExportSubtitles(single, true).find("00:00:00,000 --> 00:00:01,000"), std::string::npos);
}

TEST_F(ExportTest, SvgDrawsWhatThereIsAndSaysWhatIsMissing) {
  input_.moments.push_back(MakeMomentAt(0, "46.0N", "7.0E", "0"));
  input_.moments.push_back(MakeMomentAt(60000, "46.01N", "7.0E", "72"));
  const std::string svg = ExportSvg(input_);
  EXPECT_NE(svg.find(">1:00</text>"), std::string::npos);
  EXPECT_NE(svg.find(">80</text>"), std::string::npos);  // the speed axis ends at a round value above 72

  // No position and no number: both panels say so instead of dividing by
  // nothing.
  ExportInput empty{"e.xml", FileForm::kDocument, {MakeMomentAt(0, "--", "--", "---")}};
  const std::string blank = ExportSvg(empty);
  EXPECT_NE(blank.find("no readable positions"), std::string::npos);
  EXPECT_NE(blank.find("no speeds to draw"), std::string::npos);
  EXPECT_EQ(blank.find("nan"), std::string::npos);
}

TEST_F(ExportTest, GeoJsonNumbersAndCsvTypesAreWhatReadersExpect) {
  input_.moments.push_back(MakeMomentAt(0, "1N", "2E", "007"));
  const std::string one = ExportGeoJson(input_);  // one position: the route is a Point
  EXPECT_NE(one.find("\"geometry\":{\"type\":\"Point\",\"coordinates\":[2.0000000,1.0000000]}"), std::string::npos)
      << one;
  EXPECT_NE(one.find("\"own\":7,\"speed1\":7,\"speed2\":1"), std::string::npos);

  for (const auto& [text, json] : std::vector<std::pair<std::string, std::string>>{{"12", "12"},
                                                                                   {"-0.50", "-0.50"},
                                                                                   {"+3", "3"},
                                                                                   {"00", "0"},
                                                                                   {"", "null"},
                                                                                   {"--", "null"},
                                                                                   {"1.", "null"},
                                                                                   {".5", "null"},
                                                                                   {"1e3", "null"},
                                                                                   {"12 ", "null"}}) {
    EXPECT_EQ(JsonNumber(text), json) << text;
  }

  input_.moments.push_back(MakeMomentAt(1000, "--", "--", "--"));  // a speed that is no number
  input_.moments.back().sample.speeds[1] = "2.5";
  EXPECT_EQ(ExportCsvTypes(input_),
            "\"DateTime\",\"String\",\"Integer\",\"String\",\"String\",\"Real\",\"Real\",\"String\","
            "\"String\",\"Real\",\"Integer\",\"Integer\",\"Integer\",\"Integer\",\"Integer\",\"String\","
            "\"String\",\"String\",\"String\",\"String\"\r\n");
}

TEST(ExportFormatTest, NamedInAnyCaseOrByTheOutputsExtension) {
  EXPECT_EQ(ExportFormatFromName("GPX"), ExportFormat::kGpx);
  EXPECT_EQ(ExportFormatFromName("Json"), ExportFormat::kGeoJson);
  EXPECT_EQ(ExportFormatFromName("kml"), std::nullopt);
  EXPECT_EQ(ExportFormatFromPath("out/route.GeoJSON"), ExportFormat::kGeoJson);
  EXPECT_EQ(ExportFormatFromPath("a.b/route"), std::nullopt);
  EXPECT_EQ(ExportFormatFromPath("-"), std::nullopt);
  EXPECT_EQ(CsvTypesPath("dir.x/a.csv"), "dir.x/a.csvt");
  EXPECT_EQ(CsvTypesPath("dir.x/a"), "dir.x/a.csvt");
}

TEST(OsdTextTest, InputsAndOfficersAsTheOsdShowsThem) {
  EXPECT_EQ(InputsOn("0000"), "");
  std::string row(28, '0');
  for (size_t input : {1, 3, 23, 24, 26}) row[input - 1] = '1';
  EXPECT_EQ(InputsOn(row), "1, 3, 23, 24");  // only the 24 inputs
  std::array<Officer, 2> officers{};
  EXPECT_EQ(OfficersText(officers), "");
  officers[1] = {"P-2", "Tom", "", "Lind"};
  EXPECT_EQ(OfficersText(officers), "P-2 Tom Lind");
  officers[0] = {"", "Ada", "M", ""};
  EXPECT_EQ(OfficersText(officers), "Ada M, P-2 Tom Lind");
}

TEST(MarkupTest, ReadsWholeNamesFromARawSection) {
  const std::string section =
      "<V-Info><Slot10 sd=\"no\"/><Slot1 fwserial=\"x\" serial=\"S1\" sd=\"64GB\"/>"
      "<FirmwareVersionOld>0.1</FirmwareVersionOld><FirmwareVersion>2.4.1</FirmwareVersion>"
      "<Recorder model=\"VR\"></V-Info>";
  EXPECT_EQ(ElementAttribute(section, "Slot1", "sd") + ElementAttribute(section, "Slot1", "serial") +
                ElementContent(section, "FirmwareVersion") + ElementAttribute(section, "Recorder", "model"),
            "64GBS12.4.1VR");
  // No end tag, self-closing, no closing quote: nothing.
  EXPECT_EQ(ElementContent(section, "Recorder") + ElementContent(section, "Slot1") +
                ElementAttribute("<A b=\"open", "A", "b") + ElementContent("<A", "A"),
            "");
}

}  // namespace
}  // namespace plovermeta
