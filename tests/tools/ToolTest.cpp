// plovermeta run as a process on the example recording, as a person runs
// it: what it prints, what it writes, how other programs read its files, and
// how it fails.  Every run sets TZ (UTC0 unless a case says otherwise).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "PloverMetaParser.h"
#include "TempDir.h"

namespace plover::test {
namespace {

struct RunResult {
  int code = -1;
  std::string out;
  std::string err;
};

// Single-quoted for the shell.
std::string Quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `program` in `folder` under the time zone `zone`.  The project's own
// programs go through the build's runner when it has one (qemu-i386 for the
// 32-bit build); the machine's own (xmllint, python3) never do.
RunResult RunProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& folder,
                     const char* zone = "UTC0", bool host = false) {
  const std::string runner = host ? "" : PLOVERMETA_RUNNER;
  std::string command = "cd " + Quote(folder) + " && TZ=" + Quote(zone) + " ";
  if (!runner.empty()) command += Quote(runner) + " ";
  command += Quote(program);
  for (const std::string& argument : arguments) command += " " + Quote(argument);
  const int status = std::system((command + " >.stdout 2>.stderr </dev/null").c_str());
  RunResult result;
  if (status != -1 && WIFEXITED(status)) result.code = WEXITSTATUS(status);
  result.out = ReadFile(folder + "/.stdout");
  result.err = ReadFile(folder + "/.stderr");
  return result;
}

bool HaveCommand(const std::string& command) {
  return std::system(("command -v " + Quote(command) + " >/dev/null 2>&1").c_str()) == 0;
}

// Lines of `text` that start with `prefix`.
size_t CountLines(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  size_t count = 0;
  for (std::string line; std::getline(in, line);) count += line.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
  return count;
}

const std::string kExamples = PLOVERMETA_EXAMPLES;
const std::string kDocument = kExamples + "/20260314_100000.xml";
const std::string kTextFile = kExamples + "/20260314_100000_M2.txt";
const std::string kContainer = kExamples + "/20260314_100000_M2.dat";
const std::string kBinary = kExamples + "/20260314_100100.bin";
const std::string kTrack = kExamples + "/20260314_100000.vtt";

class ToolTest : public ::testing::Test {
 protected:
  RunResult Tool(const std::vector<std::string>& arguments, const char* zone = "UTC0") {
    return RunProgram(PLOVERMETA_TOOL, arguments, dir_.path(), zone);
  }
  // Exports the document to `format` in the temporary folder; the path.
  std::string ExportDocument(const std::string& format) {
    const std::string path = dir_.File("route." + format);
    const RunResult run = Tool({"export", kDocument, "--to", format, "-o", path});
    EXPECT_EQ(run.code, 0) << run.err;
    return path;
  }
  TempDir dir_;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(ToolTest, OsdShowsTheSampleOfAKnownMomentBesideTheAskedTime) {
  RunResult run = Tool({"osd", kDocument, "--at", "2026-03-14 10:01:40.500", "--before"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "asked     2026-03-14 10:01:40.500 UTC+00:00 (sample at or before)\n"
            "sample    2026-03-14 10:01:40.000 UTC+00:00 (TS 2026/03/14 10:01:40.000)\n"
            "position  4657.0046N 00727.4773E = 46.950077, 7.457955\n"
            "own       60 km/h\n"
            "speeds    1: 60  2: 63  3: 78  4: 0  5: 0\n"
            "status    110000010000000000000000 (inputs on: 1, 2, 8)\n"
            "file      20260314_100000.xml\n"
            "officers  P-1042 Ada M Okafor, P-2210 Tomas Lindqvist (since 2026-03-14 10:01:05.000 UTC+00:00)\n");

  // Without --before the next sample; before the second log-in only one
  // officer.
  run = Tool({"osd", kDocument, "--at", "2026-03-14 10:01:40.500"});
  EXPECT_TRUE(Contains(run.out, "sample    2026-03-14 10:01:41.000 UTC+00:00")) << run.out;
  run = Tool({"osd", kDocument, "--at", "2026-03-14 10:01:04"});
  EXPECT_TRUE(Contains(run.out, "officers  P-1042 Ada M Okafor (since 2026-03-14 09:58:12.000 UTC+00:00)\n"));

  // The document's times are read in its own zone on any machine; --tz reads
  // them in another.  Printed times read back, and a sample far from the
  // asked time says how far.
  run = Tool({"osd", kDocument, "--at", "2026-03-14 10:01:40", "--before"}, "EST5");
  EXPECT_TRUE(Contains(run.out, "sample    2026-03-14 10:01:40.000 UTC+00:00")) << run.out;
  run = Tool({"osd", kDocument, "--at", "2026-03-14 10:01:40", "--before", "--tz", "-05:00"});
  EXPECT_TRUE(Contains(run.out, "sample    2026-03-14 10:01:40.000 UTC-05:00")) << run.out;
  run = Tool({"osd", kDocument, "--at", "2026-03-14 05:01:40.000 UTC-05:00"}, "JST-9");
  EXPECT_TRUE(Contains(run.out, "sample    2026-03-14 10:01:40.000 UTC+00:00")) << run.out;
  run = Tool({"osd", kDocument, "--at", "2026-03-14T11:00:00.5Z", "--before"});
  EXPECT_TRUE(Contains(run.out, "(sample at or before, 57 min 1 s earlier)")) << run.out;
  run = Tool({"osd", kContainer, "--at", "2026-03-14 10:01:40"});
  EXPECT_TRUE(Contains(run.out, "sample    index 101, 2026-03-14 10:01:40.000 UTC+00:00")) << run.out;
  run = Tool({"osd", kTrack, "--at", "00:00:01.0"});  // a cue's end belongs to the next cue
  EXPECT_TRUE(Contains(run.out, "cue       00:00:01.000 --> 00:00:02.000")) << run.out;
}

// Exports carry UTC times from the recorder's own zone: the same bytes on a
// machine in UTC, west of it with daylight saving, and east of it.
TEST_F(ToolTest, ExportsAreTheSameInEveryMachineZone) {
  for (const std::string& folder : {kExamples, kExamples + "/west"}) {
    for (const char* name : {"/20260314_100000.xml", "/20260314_100000_M2.dat"}) {
      for (const char* format : {"gpx", "geojson", "csv"}) {
        std::string first;
        for (const char* zone : {"UTC0", "America/New_York", "JST-9"}) {
          const RunResult run = Tool({"export", folder + name, "--to", format}, zone);
          ASSERT_EQ(run.code, 0) << run.err;
          if (first.empty()) first = run.out;
          EXPECT_EQ(run.out, first) << folder << name << " " << format << " in " << zone;
        }
        const char* start = folder == kExamples ? "2026-03-14T10:00:03.000Z" : "2026-03-14T15:00:03.000Z";
        EXPECT_TRUE(Contains(first, start)) << folder << name << " " << format;
      }
    }
  }
}

// A track whose cues carry the OSD's position line draws the same route as
// the document it was made from, without times (cues have play times only).
TEST_F(ToolTest, TracksWithAPositionLineExportTheRoute) {
  const auto points = [](const std::string& gpx) {
    std::vector<std::string> found;
    for (size_t at = gpx.find("<trkpt "); at != std::string::npos; at = gpx.find("<trkpt ", at + 1)) {
      found.push_back(gpx.substr(at, gpx.find('>', at) - at));
    }
    return found;
  };
  const RunResult track = Tool({"export", kTrack, "--to", "gpx"});
  ASSERT_EQ(track.code, 0) << track.err;
  const RunResult document = Tool({"export", kDocument, "--to", "gpx"});
  EXPECT_EQ(points(track.out), points(document.out));
  EXPECT_EQ(points(track.out).size(), 177u);
  EXPECT_FALSE(Contains(track.out, "<time>"));
}

TEST_F(ToolTest, OsdOfEveryOtherFormAtTheSameMoment) {
  // Both second-generation forms carry the same samples, asked by index.
  const RunResult container = Tool({"osd", kContainer, "--index", "101"});
  const RunResult text = Tool({"osd", kTextFile, "--index", "101"});
  ASSERT_EQ(container.code, 0) << container.err;
  const std::string head = container.out.substr(0, container.out.find("file"));
  EXPECT_EQ(head,
            "asked     index 101 (sample at or after)\n"
            "sample    index 101, 2026-03-14 10:01:40.000 UTC+00:00 (TS 2026/03/14 10:01:40)\n"
            "position  N46.950077 E7.457956 = 46.950077, 7.457956\n"
            "own       60 km/h\n"
            "radar     own 60 km/h, target 63 km/h\n"
            "status    110000010000000000000000 (inputs on: 1, 2, 8)\n");
  EXPECT_EQ(text.out.substr(0, text.out.find("file")), head);

  const RunResult track = Tool({"osd", kTrack, "--at", "00:01:40.500"});
  ASSERT_EQ(track.code, 0) << track.err;
  EXPECT_TRUE(Contains(track.out, "cue       00:01:40.000 --> 00:01:41.000\ntext      2026/03/14 10:01:40  CAR-12\n"));

  const RunResult binary = Tool({"osd", kBinary, "--at", "2026-03-14 10:00:00"});
  ASSERT_EQ(binary.code, 0) << binary.err;
  EXPECT_TRUE(Contains(binary.out, "position  46.948000N 7.455121E = 46.948000, 7.455121")) << binary.out;
}

TEST_F(ToolTest, PlayStepsThroughEverySampleInOrder) {
  RunResult run = Tool({"play", kDocument});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(CountLines(run.out, "sample "), 180u);
  EXPECT_LT(run.out.find("10:00:00.000 UTC"), run.out.find("10:02:59.000 UTC"));

  run = Tool({"play", kDocument, "--from", "2026-03-14 10:01:00", "--to", "2026-03-14 10:01:10"});
  EXPECT_EQ(CountLines(run.out, "sample "), 11u);
  run = Tool({"play", kContainer, "--from", "10", "--to", "19"});
  EXPECT_EQ(CountLines(run.out, "sample "), 10u);
  run = Tool({"play", kTrack, "--to", "00:00:59.999"});
  EXPECT_EQ(CountLines(run.out, "cue "), 60u);
}

TEST_F(ToolTest, InfoTellsWhatEachFormHolds) {
  const RunResult run = Tool({"info", kDocument, kContainer, kTrack, kBinary});
  ASSERT_EQ(run.code, 0) << run.err;
  for (const char* part :
       {"recorder   model VR-5200, serial VR52-004417, firmware 2.4.1",
        "samples    180, 2026-03-14 10:00:00.000 UTC+00:00 to 2026-03-14 10:02:59.000 UTC+00:00 (2 min 59 s)",
        "positions  177 readable, 3 without a readable position",
        "           2026-03-14 10:01:05.000 UTC+00:00  P-1042 Ada M Okafor, P-2210 Tomas Lindqvist",
        "cameras    1: Front, mode continuous, resolution 1920x1080, fps 30",
        "camera 3 video: 20260314_100000_CH3.mp4, 20260314_100130_CH3.mp4", "mic 1 audio: 20260314_100000_MIC1.m4a",
        "second-generation metadata file, container form", "cues       180, 00:00:00.000 to 00:03:00.000",
        "samples    1, 2026-03-14 10:01:00.000"}) {
    EXPECT_TRUE(Contains(run.out, part)) << part;
  }
}

TEST_F(ToolTest, GpxValidatesAgainstTheGpx11Schema) {
  const std::string schema = PLOVERMETA_GPX_SCHEMA;
  if (!std::filesystem::exists(schema) || !HaveCommand("xmllint")) GTEST_SKIP() << "no xmllint or GPX schema";
  const std::string gpx = ExportDocument("gpx");
  const RunResult check = RunProgram("xmllint", {"--noout", "--schema", schema, gpx}, dir_.path(), "UTC0", true);
  EXPECT_EQ(check.code, 0) << check.err;
  const std::string text = ReadFile(gpx);
  EXPECT_EQ(CountLines(text, "      <trkpt "), 177u);
  EXPECT_TRUE(Contains(text, "<time>2026-03-14T10:00:03.000Z</time>"));
}

TEST_F(ToolTest, CsvHasAHeaderAndARowPerSampleQuotedWhereNeeded) {
  const std::string text = ReadFile(ExportDocument("csv"));
  EXPECT_EQ(CountLines(text, "2026-03-14T"), 180u);
  EXPECT_EQ(text.rfind("time_utc,", 0), 0u);
  // The officers' names hold a comma: quoted.
  EXPECT_TRUE(Contains(text, "\n2026-03-14T10:01:40.000Z,"));
  EXPECT_TRUE(Contains(text, ",\"P-1042 Ada M Okafor, P-2210 Tomas Lindqvist\"\r\n"));
}

TEST_F(ToolTest, VttExportReadsBackThroughTheLibraryAtCueTimes) {
  std::string track = ReadFile(ExportDocument("vtt"));
  CMetaParser parser;
  ASSERT_EQ(parser.inputdata_VTT(reinterpret_cast<unsigned char*>(track.data()), static_cast<PMP_ULONG>(track.size())),
            0);
  auto cue = std::make_unique<_VTT_OSD_INFO>();
  ASSERT_EQ(parser.GetVTTData("00:01:40.500", cue.get()), 0);
  ASSERT_EQ(cue->lineCount, 5);
  EXPECT_STREQ(cue->text[0], "2026-03-14 10:01:40.000 UTC+00:00");
  EXPECT_STREQ(cue->text[1], "4657.0046N 00727.4773E");
  EXPECT_STREQ(cue->text[2], "own 60 km/h  1:60  2:63  3:78  4:0  5:0");
  EXPECT_EQ(cue->line, 80);
  // The last cue lasts a second; nothing after it.
  ASSERT_EQ(parser.GetVTTData("00:02:59.999", cue.get()), 0);
  EXPECT_STREQ(cue->text[0], "2026-03-14 10:02:59.000 UTC+00:00");
  cue->lineCount = -7;
  ASSERT_EQ(parser.GetVTTData("00:03:00.001", cue.get()), 0);
  EXPECT_EQ(cue->lineCount, -7);
}

TEST_F(ToolTest, SvgIsWellFormedWithRouteAndChart) {
  const std::string path = ExportDocument("svg");
  if (HaveCommand("xmllint")) {
    const RunResult check = RunProgram("xmllint", {"--noout", path}, dir_.path(), "UTC0", true);
    EXPECT_EQ(check.code, 0) << check.err;
  }
  const std::string svg = ReadFile(path);
  for (const char* part : {">end</text>", ">200 m</text>", ">2:40</text>"}) EXPECT_TRUE(Contains(svg, part)) << part;
}

// Errors (and the warning of an empty span) are one line on stderr; an
// error prints nothing on stdout.
TEST_F(ToolTest, EveryErrorIsOneLineOnStderrWithItsExitCode) {
  std::ofstream(dir_.File("junk.dat")) << "nothing a recorder writes";
  std::ofstream(dir_.File("taken.gpx")) << "keep me";
  std::ofstream(dir_.File("short.vtt")) << "WEBVTT\r\n\r\n00:01.000 --> 00:02.000\r\nshort form\r\n";
  struct Case {
    std::vector<std::string> arguments;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {{"info", "missing.xml"}, 3, "no such file: missing.xml"},
      {{"info", "junk.dat"}, 3, "cannot tell what junk.dat holds"},
      {{"info", "--form", "container", kDocument}, 3, "holds nothing readable as a second-generation"},
      {{"info", "--form", "mp4", kDocument}, 2, "unknown form 'mp4'"},
      {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
      {{"osd", kDocument, "--at", "2026-02-30 10:00:00"}, 2, "--at '2026-02-30 10:00:00' is not a time"},
      {{"osd", kTrack, "--at", "1:5"}, 2, "is not a play time"},
      {{"osd", kDocument, "--at", "2026-03-14 10:00:00", "--tz", "Mars"}, 2, "--tz: "},
      {{"play", kDocument, "--speed", "2"}, 2, "unknown option --speed for 'play'"},
      {{"export", kDocument, "--to", "kml"}, 2, "unknown format 'kml'"},
      {{"export", kDocument, "--to", "gpx", "-o", "taken.gpx"}, 4, "taken.gpx exists; add --force"},
      {{"export", kDocument, "-o", "route.kml"}, 2, "'export' needs --to FORMAT"},
      {{"export", kDocument, "-o", "no/such/folder/r.srt"}, 4, "cannot write no/such/folder/r.srt: No such file"},
      {{"export", kDocument, "--to", "CSV", "-o", "/dev/full", "--force"}, 4, "/dev/full: No space left"},
      {{"osd", kContainer, "--at", "1", "--index", "1"}, 2, "either --at or --index"},
      {{"osd", kDocument, "--index", "1"}, 2, "--index is for second-generation files"},
      {{"play", kDocument, "--from", "2026-03-14 10:02:00", "--to", "2026-03-14 10:01:00"}, 2, "--from lies after"},
      {{"play", kContainer, "--from", "4294967296"}, 2, "is not an index number"},
      {{"info", "short.vtt"}, 3, "holds no cue with a readable timing line"},
      {{"osd", kDocument, "--at", "2026-03-14 09:00:00", "--before"},
       1,
       "nothing at or before 2026-03-14 09:00:00.000 UTC+00:00"},
      {{"osd", kContainer, "--index", "181"}, 1, "nothing at or after index 181"},
      {{"osd", kTrack, "--at", "00:03:00"}, 1, "nothing covers 00:03:00.000"},  // the last cue's end
      {{"play", kDocument, "--from", "2026-03-14 11:00:00"}, 0, "warning: no sample in the asked span"},
  };
  for (const Case& c : cases) {
    const RunResult run = Tool(c.arguments);
    EXPECT_EQ(run.code, c.code) << c.message;
    EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    EXPECT_EQ(CountLines(run.err, ""), 1u) << run.err;
    EXPECT_EQ(run.err.rfind("plovermeta: ", 0), 0u) << run.err;
    if (c.code != 0) {
      EXPECT_EQ(run.out, "") << c.message;
    }
  }
  EXPECT_EQ(ReadFile(dir_.File("taken.gpx")), "keep me");
  const RunResult forced = Tool({"export", kDocument, "--to", "gpx", "-o", "taken.gpx", "--force"});
  EXPECT_EQ(forced.code, 0);
  EXPECT_TRUE(Contains(ReadFile(dir_.File("taken.gpx")), "<gpx"));
}

TEST_F(ToolTest, CutOffFilesWarnOrFailWithStrictAndEmptyOnesFail) {
  const std::string document = ReadFile(kDocument);
  const std::string cut = document.substr(0, document.size() * 99 / 100);
  size_t complete = 0;
  for (size_t at = cut.find("</Index>"); at != std::string::npos; at = cut.find("</Index>", at + 1)) ++complete;
  std::ofstream(dir_.File("cut.xml"), std::ios::binary) << cut;
  std::ofstream(dir_.File("cut.bin"), std::ios::binary) << ReadFile(kBinary).substr(0, 281);
  std::ofstream(dir_.File("empty.xml"))
      << "<MetaData><F-Info><TimeSettings><TimeZone><Rule>UTC0</Rule></TimeZone></TimeSettings></F-Info>"
         "<P-Info>\n</P-Info></MetaData>\n";
  const std::string warning = "plovermeta: warning: cut.xml is cut off at byte " + std::to_string(cut.size()) + ", " +
                              std::to_string(complete) + " complete samples recovered\n";
  const struct {
    std::vector<std::string> arguments;
    int code;
    std::string err, out;
  } cases[] = {
      {{"info", "cut.xml"}, 0, warning, "cut off"},
      {{"export", "cut.xml", "--to", "csv", "-o", "-"}, 0, warning, "2026/03/14 10:02:"},
      {{"--strict", "play", "cut.xml"}, 3, "complete samples recovered (--strict)", ""},
      {{"osd", "cut.xml", "--strict", "--at", "2026-03-14 10:00:00"}, 3, "(--strict)", ""},
      {{"info", "cut.bin"}, 3, "cut.bin is cut off at byte 281 before its first complete binary record", ""},
      {{"play", "empty.xml"}, 3, "error: empty.xml holds no sample", ""},
      {{"export", "empty.xml", "--to", "vtt", "-o", "-"}, 3, "error: empty.xml holds no sample", ""},
      {{"osd", "empty.xml", "--at", "2026-03-14 10:00:00"}, 3, "error: empty.xml holds no sample", ""},
  };
  for (const auto& c : cases) {
    const RunResult run = Tool(c.arguments);
    EXPECT_EQ(run.code, c.code) << c.arguments[0] << " " << run.err;
    EXPECT_TRUE(Contains(run.err, c.err)) << run.err;
    EXPECT_EQ(CountLines(run.err, ""), 1u) << run.err;
    EXPECT_TRUE(Contains(run.out, c.out)) << run.out;
  }
}

TEST_F(ToolTest, InfoGoesOnPastAFileItCannotRead) {
  const RunResult run = Tool({"info", "missing.xml", kBinary});
  EXPECT_EQ(run.code, 3);
  // Binary records name no zone: the machine's is used, and said once.
  EXPECT_EQ(run.err, "plovermeta: error: no such file: missing.xml\nplovermeta: note: " + std::string(kBinary) +
                         " names no time zone; its times are read in the machine's (--tz names one)\n");
  EXPECT_TRUE(Contains(run.out, "20260314_100100.bin: binary sample records")) << run.out;
}

TEST_F(ToolTest, ReadsEveryPositionFormAndLeavesOutTheRest) {
  // A document of four samples, each position written another way; the
  // third does not read.
  const char* const positions[][2] = {
      {"N46.5", "7.25E"}, {"4630.0000N", "00715.0000E"}, {"46.5X", "7.25"}, {"-46.5", "W7.25"}};
  std::string document = "<MetaData><V-Info><Recorder model=\"T\"/></V-Info><P-Info>\r\n";
  for (int i = 0; i < 4; ++i) {
    document += "<Index no=\"" + std::to_string(i + 1) + "\"><TS>2026/03/14 10:00:0" + std::to_string(i) +
                ".000</TS><G-STAT>000000000000000000000000</G-STAT><GPS><Latitude>" + positions[i][0] +
                "</Latitude><Longitude>" + positions[i][1] + "</Longitude><Own>5</Own></GPS></Index>\r\n";
  }
  document += "</P-Info></MetaData>\r\n";
  std::ofstream(dir_.File("four.xml")) << document;
  const RunResult gpx = Tool({"export", "four.xml", "--to", "gpx", "--tz", "UTC0"});
  EXPECT_EQ(CountLines(gpx.out, "      <trkpt "), 3u);
  EXPECT_EQ(gpx.err, "plovermeta: warning: 1 of 4 samples have no readable position and are left out of the gpx\n");
}

TEST_F(ToolTest, BinaryRecordsPlayInTimeOrder) {
  // The example's record twice, the copy an hour earlier.
  std::string record = ReadFile(kBinary);
  ASSERT_EQ(record.size(), 284u);
  std::string earlier = record;
  earlier.replace(8, 23, "2026/03/14 09:01:00.000");
  std::ofstream(dir_.File("two.bin"), std::ios::binary) << record << earlier;
  const RunResult run = Tool({"play", "two.bin"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(CountLines(run.out, "sample "), 2u);
  EXPECT_LT(run.out.find("09:01:00.000 UTC"), run.out.find("10:01:00.000 UTC"));
}

TEST_F(ToolTest, EveryCommandHasHelp) {
  for (const char* command : {"info", "osd", "play", "export", "review", "demo"}) {
    const RunResult run = Tool({command, "--help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.rfind(std::string("usage: plovermeta ") + command, 0), 0u) << run.out;
  }
  EXPECT_TRUE(Contains(Tool({"--help"}).out, "exit codes:"));
}

TEST_F(ToolTest, DemoPrintsTheTourAndWritesEveryExportOnce) {
  RunResult run = Tool({"demo", "--examples", kExamples, "--out", "tour"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(CountLines(run.out, "$ plovermeta osd "), 3u);
  for (const char* ext : {"gpx", "geojson", "csv", "vtt", "srt", "svg"}) {
    EXPECT_TRUE(std::filesystem::exists(dir_.File(std::string("tour/20260314_100000.") + ext))) << ext;
  }
  const std::string folder = (std::filesystem::canonical(dir_.path()) / "tour").string();
  EXPECT_TRUE(Contains(run.out, "The review page (open it in a browser): " + folder + "/20260314_100000.review.html"))
      << run.out;
  EXPECT_EQ(Tool({"demo", "--examples", kExamples, "--out", "tour"}).code, 4);
  EXPECT_EQ(Tool({"demo", "--examples", kExamples, "--out", "tour", "--force"}).code, 0);
}

// What the page shows is tested in a browser (review_browser_test.py); here
// how the command fails and where the video starts.
TEST_F(ToolTest, ReviewWritesOnePageOrSaysWhyNot) {
  const std::string document = kExamples + "/20260314_100000.xml";
  struct Case {
    std::vector<std::string> arguments;
    int code;
    std::string said;  // in the page (code 0) or on stderr
  };
  const Case cases[] = {
      {{"review", document, "-o", "a.html"}, 0, "\"videoStart\":1773482400000,\"videoStartFrom\":\"the first sample\""},
      // The file list names the video (here by its name without extension).
      {{"review", document, "--video", "v/20260314_100130_CH2.webm", "-o", "b.html"},
       0,
       "\"videoStart\":1773482490000,\"videoStartFrom\":\"the file list (20260314_100130_CH2.mp4)\""},
      {{"review", document, "--video", "other.webm", "--video-start", "2026-03-14 10:02:00", "-o", "c.html"},
       0,
       "\"videoStart\":1773482520000,\"videoStartFrom\":\"--video-start\""},
      {{"review", kExamples + "/20260314_100000.vtt", "--video-start", "00:00:10.000", "-o", "d.html"},
       0,
       "\"videoStart\":10000,"},
      {{"review", document, "--video-start", "10:02", "-o", "e.html"}, 2, "--video-start '10:02' is not a time"},
      {{"review", document, "-o", "a.html"}, 4, "a.html exists; add --force"},
      {{"review", "missing.xml", "-o", "f.html"}, 3, "no such file"},
  };
  for (const Case& c : cases) {
    const RunResult run = Tool(c.arguments);
    EXPECT_EQ(run.code, c.code) << c.arguments.back() << ": " << run.err;
    const std::string page = c.code == 0 ? ReadFile(dir_.File(c.arguments.back())) : run.err;
    EXPECT_TRUE(Contains(page, c.said)) << c.arguments.back() << ": " << c.said;
  }
}

TEST_F(ToolTest, TheExamplesAreWhatTheGeneratorWrites) {
  const RunResult run = RunProgram(PLOVERMETA_MAKE_EXAMPLES, {"again"}, dir_.path());
  ASSERT_EQ(run.code, 0) << run.err;
  size_t compared = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.File("again"))) {
    if (entry.is_directory()) continue;
    const std::string name = std::filesystem::relative(entry.path(), dir_.File("again")).generic_string();
    EXPECT_EQ(ReadFile(entry.path().string()) == ReadFile(kExamples + "/" + name), true)
        << name << " differs from examples/recording: regenerate with the target 'examples'";
    ++compared;
  }
  EXPECT_EQ(compared, 8u);
}

}  // namespace
}  // namespace plover::test
