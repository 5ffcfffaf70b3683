// Recordings opened through the C++ interface: forms told from first bytes,
// times read in the recording's own zone on any machine and thread,
// positions of every form, time order, and errors that say what went wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "TempDir.h"
#include "TimeZone.h"
#include "plover/Recording.h"

namespace plover {
namespace {

const std::string kDir = PLOVER_EXAMPLES_DIR;
const std::string kDocument = kDir + "/20260314_100000.xml";
const std::string kContainer = kDir + "/20260314_100000_M2.dat";
const std::string kText = kDir + "/20260314_100000_M2.txt";
const std::string kTrack = kDir + "/20260314_100000.vtt";
const std::string kBinary = kDir + "/20260314_100100.bin";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The example's times as written are UTC times (its zone rule is UTC0).
int64_t Utc(const char* text) { return *ParseWrittenTime(text); }

ErrorCode CodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.code();
  }
  ADD_FAILURE() << "no error";
  return ErrorCode::kBadArgument;
}

TEST(RecordingTest, TellsEveryFormFromItsFirstBytes) {
  test::ScopedTimeZone tz("EST5");
  const struct {
    const std::string& path;
    Form form;
    size_t samples;
    ZoneOrigin origin;
  } cases[] = {{kDocument, Form::kDocument, 180, ZoneOrigin::kRecording},
               {kContainer, Form::kContainer, 180, ZoneOrigin::kRecording},
               {kText, Form::kTextFile, 180, ZoneOrigin::kRecording},
               {kTrack, Form::kTrack, 180, ZoneOrigin::kMachine},
               {kBinary, Form::kBinary, 1, ZoneOrigin::kMachine}};
  for (const auto& c : cases) {
    const Recording recording = Recording::Open(c.path);
    EXPECT_EQ(recording.form(), c.form) << c.path;
    EXPECT_EQ(recording.samples().size(), c.samples) << c.path;
    EXPECT_EQ(recording.zoneOrigin(), c.origin) << c.path;
    // The same bytes in memory, and the form told rather than found.
    if (!IsSecondGeneration(c.form)) {
      EXPECT_EQ(Recording::FromBytes(ReadFile(c.path), "x").form(), c.form);
      EXPECT_EQ(Recording::FromBytes(ReadFile(c.path), "x", {c.form, std::nullopt}).samples().size(), c.samples);
    }
  }
  const RecordingSet set = RecordingSet::OpenBeside(kDocument);
  ASSERT_EQ(set.parts().size(), 4u);
  EXPECT_NE(set.track(), nullptr);
  EXPECT_EQ(set.Find(Form::kTextFile)->samples().size(), 180u);
}

TEST(RecordingTest, TimesAreTheRecordingsWhateverTheMachinesZone) {
  for (const char* machine : {"UTC0", "EST5", "JST-9"}) {
    test::ScopedTimeZone tz(machine);
    for (const std::string* path : {&kDocument, &kContainer}) {
      const Recording recording = Recording::Open(*path);
      const SampleTable& samples = recording.samples();
      EXPECT_EQ(samples.utcMs().front(), Utc("2026-03-14 10:00:00")) << machine << " " << *path;
      EXPECT_EQ(samples.writtenMs().back(), Utc("2026-03-14 10:02:59")) << machine;
      const std::optional<Sample> before = recording.At(Utc("2026-03-14 10:01:40.500"), Seek::kAtOrBefore);
      const std::optional<Sample> after = recording.At(Utc("2026-03-14 10:01:40.500"), Seek::kAtOrAfter);
      ASSERT_TRUE(before && after) << machine;
      EXPECT_EQ(before->utcMs, Utc("2026-03-14 10:01:40")) << machine;
      EXPECT_EQ(after->utcMs, Utc("2026-03-14 10:01:41")) << machine;
      EXPECT_FALSE(recording.At(Utc("2026-03-14 09:00:00"), Seek::kAtOrBefore)) << machine;
    }
    // The log-in in effect, found through the library's keys.
    const Recording document = Recording::Open(kDocument);
    ASSERT_EQ(document.logins().size(), 2u);
    EXPECT_EQ(document.logins()[1].utcMs, Utc("2026-03-14 10:01:05"));
    EXPECT_EQ(document.LoginAt(Utc("2026-03-14 10:01:04"))->utcMs, Utc("2026-03-14 09:58:12")) << machine;
    EXPECT_EQ(document.OsdAt(Utc("2026-03-14 10:01:40"))->officers, "P-1042 Ada M Okafor, P-2210 Tomas Lindqvist");
  }
}

TEST(RecordingTest, AnotherZoneMovesTheInstantsButFindsTheSameSamples) {
  test::ScopedTimeZone tz("EST5");
  Recording recording = Recording::Open(kDocument, {std::nullopt, TimeZone::Parse("+09:00")});
  EXPECT_EQ(recording.zoneOrigin(), ZoneOrigin::kOverride);
  const int64_t nine = 9 * 3600000LL;
  EXPECT_EQ(recording.samples().utcMs()[100], Utc("2026-03-14 10:01:40") - nine);
  EXPECT_EQ(recording.At(Utc("2026-03-14 10:01:40") - nine)->row, 100u);
  EXPECT_EQ(recording.LoginAt(Utc("2026-03-14 10:01:05") - nine)->writtenMs, Utc("2026-03-14 10:01:05"));
  recording.SetTimeZone(TimeZone::Machine());
  EXPECT_EQ(recording.samples().utcMs()[100], Utc("2026-03-14 15:01:40"));
  EXPECT_EQ(recording.At(Utc("2026-03-14 15:01:40"))->row, 100u);

  // Recordings of different zones read at once on different threads.
  auto readAll = [](const char* zone, int64_t shift, bool& same) {
    const Recording r = Recording::Open(kDocument, {std::nullopt, TimeZone::Parse(zone)});
    same = true;
    for (int round = 0; round < 20; ++round) {
      for (size_t row = 0; row < r.samples().size(); row += 7) {
        const std::optional<Sample> s = r.At(Utc("2026-03-14 10:00:00") + static_cast<int64_t>(row) * 1000 - shift);
        same = same && s && s->row == row;
      }
    }
  };
  bool east = false, west = false;
  std::thread a(readAll, "JST-9", 9 * 3600000LL, std::ref(east));
  std::thread b(readAll, "-05:00", -5 * 3600000LL, std::ref(west));
  a.join();
  b.join();
  EXPECT_TRUE(east);
  EXPECT_TRUE(west);
}

TEST(RecordingTest, PositionsOfEveryFormReadAsTheSameDegrees) {
  test::ScopedTimeZone tz("UTC0");
  // ddmm.mmmm with letters after (document), decimal with the letter first
  // (second generation) and after (binary record).
  const Recording document = Recording::Open(kDocument);
  const Recording text = Recording::Open(kText);
  const Recording binary = Recording::Open(kBinary);
  const Sample d = *document.At(Utc("2026-03-14 10:01:00"));
  const Sample t = *text.At(Utc("2026-03-14 10:01:00"));
  const Sample b = binary.samples()[0];
  ASSERT_TRUE(d.position && t.position && b.position);
  for (const Sample* s : {&t, &b}) {
    EXPECT_NEAR(s->position->latitude, d.position->latitude, 2e-6);  // minutes to four places
    EXPECT_NEAR(s->position->longitude, d.position->longitude, 2e-6);
  }
  EXPECT_NE(d[Field::kLatitude], t[Field::kLatitude]);  // as written, they differ
  for (const Recording* r : {&document, &text}) {
    const std::vector<double>& latitudes = r->samples().latitudes();
    EXPECT_EQ(std::count_if(latitudes.begin(), latitudes.end(), [](double v) { return std::isnan(v); }), 3);
  }
}

TEST(RecordingTest, ColumnsShareTheirTextsAndReadTheirNumbers) {
  test::ScopedTimeZone tz("UTC0");
  const Recording recording = Recording::Open(kDocument);
  const SampleTable& samples = recording.samples();
  EXPECT_LT(recording.texts().size(), samples.size() * 4);  // of 25 texts a sample, most repeat
  EXPECT_TRUE(samples.TextIds(Field::kRadarOwn).empty());   // no radar texts in a document
  const std::vector<double> speeds = samples.Numbers(Field::kSpeed1);
  for (size_t row = 0; row < samples.size(); row += 17) {
    const Sample s = samples[row];
    EXPECT_EQ(speeds[row], s.Speed(1));
    EXPECT_EQ(s.InputOn(5), s[Field::kStatus].substr(4, 1) == "1");
    EXPECT_EQ(s.inputs, samples.inputs()[row]);
    EXPECT_EQ(s.Temperature(1), std::stod(std::string(s[Field::kTemperature1]).substr(13)));
  }
  EXPECT_EQ(recording.Files(DataType::kVideo, 1).size(), 2u);
  EXPECT_TRUE(recording.RecorderModelIs("VR-5200"));
}

TEST(RecordingTest, BinaryRecordsComeInTimeOrder) {
  test::ScopedTimeZone tz("UTC0");
  test::TempDir dir;
  std::string record = ReadFile(kBinary);
  std::string earlier = record;
  earlier.replace(8, 23, "2026/03/14 09:01:00.000");
  std::string unread = record;
  unread.replace(8, 4, "xxxx");
  std::ofstream(dir.File("three.bin"), std::ios::binary) << record << earlier << unread;
  const Recording recording = Recording::Open(dir.File("three.bin"));
  const SampleTable& samples = recording.samples();
  ASSERT_EQ(samples.size(), 3u);
  EXPECT_EQ(samples.utcMs()[0], kNoTime);  // no time first, as the library's key 0
  EXPECT_EQ(samples.numbers()[0], 3u);     // the record's place in the file
  EXPECT_EQ(samples.utcMs()[1], Utc("2026-03-14 09:01:00"));
  EXPECT_EQ(samples.utcMs()[2], Utc("2026-03-14 10:01:00"));
  EXPECT_EQ(recording.At(Utc("2026-03-14 10:00:00"), Seek::kAtOrBefore)->row, 1u);
  EXPECT_EQ(recording.At(Utc("2026-03-14 10:00:00"), Seek::kAtOrAfter)->row, 2u);
  EXPECT_EQ(recording.At(Utc("2026-03-14 11:00:00"), Seek::kAtOrBefore)->row, 2u);  // the last after all
}

TEST(RecordingTest, ErrorsSayWhatWentWrong) {
  test::ScopedTimeZone tz("UTC0");
  test::TempDir dir;
  std::ofstream(dir.File("junk.dat")) << "nothing a recorder writes";
  std::ofstream(dir.File("short.vtt")) << "WEBVTT\r\n\r\n00:01.000 --> 00:02.000\r\nshort form\r\n";
  std::string document = ReadFile(kDocument);
  document.replace(document.find("<Rule>UTC0</Rule>"), 17, "<Rule>Mars/Base</Rule>");
  const struct {
    const char* what;
    std::function<void()> action;
    ErrorCode code;
  } cases[] = {
      {"missing", [&] { Recording::Open(dir.File("missing.xml")); }, ErrorCode::kNoSuchFile},
      {"folder", [&] { Recording::Open(dir.path()); }, ErrorCode::kNoSuchFile},
      {"junk", [&] { Recording::Open(dir.File("junk.dat")); }, ErrorCode::kUnknownForm},
      {"short cue", [&] { Recording::Open(dir.File("short.vtt")); }, ErrorCode::kEmpty},
      {"told wrong",
       [&] {
         Recording::Open(kDocument, {Form::kContainer, std::nullopt});
       },
       ErrorCode::kEmpty},
      {"short record",
       [&] {
         Recording::FromBytes("0123", "a.bin", {Form::kBinary, std::nullopt});
       },
       ErrorCode::kEmpty},
      {"by bytes", [&] { Recording::FromBytes("HFPR", "a.dat"); }, ErrorCode::kBadArgument},
      {"zone", [&] { Recording::FromBytes(document, "a.xml"); }, ErrorCode::kBadTimeZone},
      {"row", [&] { Recording::Open(kBinary).samples().at(1); }, ErrorCode::kBadArgument},
  };
  for (const auto& c : cases) EXPECT_EQ(CodeOf(c.action), c.code) << c.what;
  // Told a zone, the recording with the unreadable rule opens.
  EXPECT_EQ(Recording::FromBytes(document, "a.xml", {std::nullopt, TimeZone::Utc()}).samples().size(), 180u);
}

}  // namespace
}  // namespace plover
