// The parts of plovermeta that read and write texts: positions, times,
// escaping, arguments, the recognition of file forms and the review page's
// frame.
#include <gtest/gtest.h>

#include "Args.h"
#include "Commands.h"
#include "FileForm.h"
#include "Position.h"
#include "TextEscape.h"
#include "TimeText.h"
#include "TimeZone.h"
#include "ToolError.h"

namespace plovermeta {
namespace {

// Decimal degrees with a sign or a hemisphere letter; four or more integer
// digits are degrees and minutes and need their letter.
TEST(PositionTest, ReadsEveryFormAndRefusesWhatIsNoPosition) {
  const struct {
    const char* text;
    double degrees;
  } latitudes[] = {
      {"-35.5", -35.5},   {"+12", 12}, {"N35.681236", 35.681236},         {"35.5 s", -35.5},
      {" 0.0 ", 0.0},     {"90", 90},  {"3540.8742N", 35 + 40.8742 / 60}, {"S3540.8742", -(35 + 40.8742 / 60)},
      {"0030.0000N", 0.5}};
  for (const auto& c : latitudes) {
    const auto value = ParseLatitude(c.text);
    ASSERT_TRUE(value) << c.text;
    EXPECT_NEAR(*value, c.degrees, 1e-9) << c.text;
  }
  EXPECT_NEAR(*ParseLongitude("00726.8440W"), -(7 + 26.844 / 60), 1e-9);
  EXPECT_NEAR(*ParseLongitude("179.999999E"), 179.999999, 1e-9);
  for (const char* text : {"", "--", "N", "35.5X", "35.5E", "-35.5S", "N-35.5", "91", "3540.8742", "3560.0000N",
                           "9100.0000N", "35..5", "1e3", "35.5N N"}) {
    EXPECT_FALSE(ParseLatitude(text)) << text;
  }
  EXPECT_FALSE(ParseLongitude("180.5"));
  EXPECT_FALSE(ParsePosition("35.5N", "--"));
}

TEST(TimeTextTest, ClockTimesInTheRecordingsZoneOrTheirOwn) {
  const plover::TimeZone west = plover::TimeZone::Parse("EST5EDT");  // standard time only: -05:00
  const int64_t ten = 1773482400000;                                 // 2026-03-14 10:00:00 UTC
  const struct {
    const char* text;
    std::optional<int64_t> utc;
  } cases[] = {
      {"2026-03-14 10:00:00", ten + 5 * 3600000},
      {"2026/03/14 10:00:00.250", ten + 5 * 3600000 + 250},
      {"2026-03-14T10:00:00.5", ten + 5 * 3600000 + 500},
      {"2026-03-14 10:00:00.", ten + 5 * 3600000},
      {"2026-03-14 10:00:00.000 UTC-05:00", ten + 5 * 3600000},  // as the tool prints it
      {"2026-03-14 10:00:00.000 UTC+09:00", ten - 9 * 3600000},
      {"2026-03-14T10:00:00.000Z", ten},
      {"2026-03-14 10:00:00 UTC", ten},
      {"2026-03-14 10:00:00+01:00", ten - 3600000},
      {"2024-02-29 00:00:00Z", 1709164800000},
      {"", std::nullopt},
      {"2026-03-14 10:00", std::nullopt},
      {"2026-03-14 10:00:00.2500", std::nullopt},
      {"2026-02-29 00:00:00", std::nullopt},
      {"2026-03-14 24:00:00", std::nullopt},
      {"2026-03-14 10:00:00 Mars", std::nullopt},
      {"2026.03.14 10:00:00", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseClockTime(c.text, west), c.utc) << c.text;
  EXPECT_EQ(west.Format(ten), "2026-03-14 05:00:00.000 UTC-05:00");
  EXPECT_EQ(FormatUtc(ten + 250), "2026-03-14T10:00:00.250Z");
}

TEST(TimeTextTest, PlayTimesAndDurations) {
  EXPECT_EQ(ParsePlayTime("1:00:00"), uint64_t{3600000});
  EXPECT_EQ(ParsePlayTime("100:00:00,001"), uint64_t{360000001});
  EXPECT_EQ(ParsePlayTime("00:00:01.5"), uint64_t{1500});
  for (const char* text : {"", "01:40.500", "00:60:00.000", "00:00:00.5000", "0000:00:00.000", "aa:bb:cc.ddd"}) {
    EXPECT_FALSE(ParsePlayTime(text)) << text;
  }
  EXPECT_EQ(FormatPlayTime(100500, true), "00:01:40,500");
  EXPECT_EQ(FormatDuration(179000), "2 min 59 s");
  EXPECT_EQ(FormatDuration(3605000), "1 h 0 min 5 s");
  EXPECT_EQ(FormatDuration(500), "0.5 s");
}

TEST(TextEscapeTest, QuotesOnlyWhereTheFormatNeedsIt) {
  EXPECT_EQ(CsvField("plain text") + CsvField("say \"hi\"") + CsvField("a\nb"), "plain text\"say \"\"hi\"\"\"\"a\nb\"");
  EXPECT_EQ(JsonString("a\"b\\c\nd\x01"), "\"a\\\"b\\\\c\\nd\\u0001\"");
  EXPECT_EQ(XmlEscape("<a href=\"x\">&'\x02"), "&lt;a href=&quot;x&quot;&gt;&amp;&apos;?");
  EXPECT_EQ(FixedNumber(-0.00000001, 7), "0.0000000");
  EXPECT_EQ(FixedNumber(46.9500771, 6), "46.950077");
}

TEST(ReviewPageTest, TextsFromTheRecordingCannotEndTheirElement) {
  const std::string page = ReviewPage("a</title><b>", "{\"x\":\"<!--<script></script>\"}");
  size_t ends = 0;
  for (size_t at = page.find("</script>"); at != std::string::npos; at = page.find("</script>", at + 1)) ++ends;
  EXPECT_EQ(ends, 2u);  // the data's element and the script's
  EXPECT_NE(page.find("{\"x\":\"\\u003c!--\\u003cscript>\\u003c/script>\"}"), std::string::npos);
  EXPECT_EQ(page.find("a</title>"), std::string::npos);
  EXPECT_EQ(page.find("@STYLE@"), std::string::npos);
}

TEST(ArgsTest, ReadsDeclaredOptionsAndNamesEverythingElse) {
  const CommandSpec syntax{"osd", {{"at", 0, true}, {"output", 'o', true}, {"before", 0, false}}, 1, 1};
  const Args args = Args::Parse(syntax, {"file.xml", "--at=2026-03-14 10:00:00", "-o", "out", "--before"});
  EXPECT_EQ(args.Positionals(), std::vector<std::string>{"file.xml"});
  EXPECT_EQ(args.Value("at"), "2026-03-14 10:00:00");
  EXPECT_EQ(args.Value("output"), "out");
  EXPECT_TRUE(args.Has("before"));
  EXPECT_FALSE(args.Value("before"));
  EXPECT_TRUE(Args::Parse(syntax, {"--help"}).Help());  // no file needed for help
  EXPECT_EQ(Args::Parse(syntax, {"--", "-odd-name"}).Positionals(), std::vector<std::string>{"-odd-name"});

  const std::vector<std::vector<std::string>> bad = {
      {"file.xml", "--after"}, {"file.xml", "-x"}, {"file.xml", "--at"}, {"file.xml", "--before=yes"}, {}, {"a", "b"}};
  for (const auto& arguments : bad) {
    try {
      Args::Parse(syntax, arguments);
      ADD_FAILURE() << "accepted " << arguments.size() << " arguments";
    } catch (const ToolError& error) {
      EXPECT_EQ(error.code(), kExitUsage);
    }
  }
}

TEST(FileFormTest, TellsFormsFromTheirFirstBytes) {
  EXPECT_EQ(DetectForm("HSPR", 1000), FileForm::kContainer);
  EXPECT_EQ(DetectForm("\xEF\xBB\xBFWEBVTT - x\n", 14), FileForm::kTrack);
  std::string record(284, '\0');
  record.replace(8, 23, "2026/03/14 10:01:00.000");
  EXPECT_EQ(DetectForm(record, 284), FileForm::kBinary);
  EXPECT_EQ(DetectForm(record + record, 568), FileForm::kBinary);
  // Cut off inside a record, even the first one.
  EXPECT_EQ(DetectForm(record, 300), FileForm::kBinary);
  EXPECT_EQ(DetectForm(record.substr(0, 281), 281), FileForm::kBinary);
  EXPECT_FALSE(DetectForm("  <P-In>2026x", 13));
  EXPECT_EQ(DetectForm("<?xml?><MetaData><V-Info/><P-Info></P-Info>", 40), FileForm::kDocument);
  // A document without its device section still lists files in F-Info,
  // whose F-Name elements must not make it a second-generation text file.
  EXPECT_EQ(DetectForm("<M><F-Info><FileList><File><F-Name>a</F-Name></File></FileList></F-Info>", 70),
            FileForm::kDocument);
  EXPECT_EQ(DetectForm("<?xml?>\r\n<Meta>\r\n<F-Info>\r\n<F-Name>a.dat</F-Name></F-Info><P-Info>", 60),
            FileForm::kTextFile);
  EXPECT_EQ(DetectForm("  <P-Info><Index no=\"1\"></Index></P-Info>", 40), FileForm::kDocument);
  EXPECT_FALSE(DetectForm("just text", 9));
  EXPECT_EQ(FormFromOption("text"), FileForm::kTextFile);
  EXPECT_FALSE(FormFromOption("xml"));
}

}  // namespace
}  // namespace plovermeta
