// Loading by path: the form chosen for the engine, the text form, and what
// a load keeps when it fails.
#include <gtest/gtest.h>

#include <string>

#include "Mk2TestFiles.h"
#include "TimeZone.h"

namespace plover::test {
namespace {

class Intake : public Mk2Files {
 protected:
  std::string TextFile(const std::string& name, const std::string& fileName,
                       const std::vector<std::pair<uint32_t, std::string>>& samples) {
    return Write(name, MakeTextFile("<F-Name>" + fileName + "</F-Name>", samples));
  }
  ScopedTimeZone zone{"EST5"};
  MetaFileEngine engine;
};

TEST_F(Intake, FormIsFixedUntilCleared) {
  const std::string container = Write("c.dat", ContainerWriter().Finish());
  EXPECT_FALSE(engine.load_file(container.c_str(), 2));
  EXPECT_EQ(engine.fileForm, MetaFileEngine::kNoForm);
  EXPECT_FALSE(engine.load_file(dir_.File("missing").c_str(), 1));  // fails, but the form is chosen
  EXPECT_EQ(engine.fileForm, MetaFileEngine::kTextForm);
  EXPECT_FALSE(engine.load_file(container.c_str(), 0));
  EXPECT_EQ(engine.fileForm, MetaFileEngine::kTextForm);
  EXPECT_FALSE(engine.load_file(nullptr, 1));

  engine.osdInfoSizeMk2 = 128;
  engine.clear_files();
  EXPECT_EQ(engine.osdInfoSizeMk2, 128u);
  EXPECT_TRUE(engine.load_file(container.c_str(), 0));
  EXPECT_EQ(engine.fileForm, MetaFileEngine::kContainerForm);
  EXPECT_FALSE(engine.load_file(TextFile("t.xml", "x", {{1, Ts("2016/02/29 10:00:00")}}).c_str(), 1));
}

TEST_F(Intake, TextFileNumbersSamplesByTheirNoAttribute) {
  const std::string path =
      Write("a.xml", MakeTextFile("<F-Name>A.MP4</F-Name>", {{7, Ts("2016/02/29 10:00:07")}}) + "");
  // Index elements with odd numbers, written by hand.
  const std::string odd = Write(
      "odd.xml",
      "<F-Info><F-Name>B</F-Name></F-Info><P-Info>\r\n<Index>" + Ts("2016/02/29 10:00:00") +
          "</Index><Index no=\"12abc\">" + Ts("2016/02/29 10:00:12") + "</Index><Index no=\"\"><G-STAT>z</G-STAT>" +
          "</Index><Index no=\"-1\"><G-STAT>m</G-STAT></Index><Index no=\" +3\"><G-STAT>p</G-STAT></Index>" +
          "<Index no=\"99999999999\"><G-STAT>big</G-STAT></Index><Index no=\"8\"><TS>2016</TS></Index></P-Info>");
  ASSERT_TRUE(engine.load_file(path.c_str(), 1));
  const PInfoMk2Sample* seven = Sample(engine, path, 7);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven->sampleTime, 1456758007);  // 10:00:07 five hours west of UTC
  EXPECT_EQ(TextOf(engine.fileInfoByFile.at(path).slots[0]), "A.MP4");

  ASSERT_TRUE(engine.load_file(odd.c_str(), 1));
  const SampleTable& table = engine.samplesByFile.at(odd);
  std::string numbers;
  for (const auto& [index, sample] : table) numbers += std::to_string(index) + ":" + TextOf(sample.gStat) + " ";
  EXPECT_EQ(numbers, "0:z 3:p 12:(null) 2147483647:big 4294967295:m ");
  // Only one text file keeps its samples; every file keeps its information.
  EXPECT_EQ(engine.samplesByFile.count(path), 0u);
  EXPECT_EQ(engine.fileInfoByFile.count(path), 1u);
  EXPECT_FALSE(engine.load_file(odd.c_str(), 1));   // read before
  EXPECT_FALSE(engine.load_file(path.c_str(), 1));  // its information is stored already
}

TEST_F(Intake, TextFileFailuresKeepTheInformation) {
  const std::string noSamples = Write("n.xml", "<F-Info><F-Name>N</F-Name></F-Info><P-Info>\r\n</P-Info>");
  EXPECT_FALSE(engine.load_file(noSamples.c_str(), 1));
  EXPECT_EQ(engine.fileInfoByFile.count(noSamples), 1u);
  EXPECT_TRUE(engine.currentPath.empty());
  EXPECT_FALSE(engine.load_file(Write("i.xml", "<P-Info><Index no=\"1\"/></P-Info>").c_str(), 1));
  // An Index without end tag ends the scan; what came before it stays.
  const std::string open = Write("o.xml", "<F-Info>x</F-Info><P-Info><Index no=\"1\">" + Ts("2016/02/29 10:00:00") +
                                              "</Index><Index no=\"2\"></P-Info>");
  ASSERT_TRUE(engine.load_file(open.c_str(), 1));
  EXPECT_EQ(engine.samplesByFile.at(open).size(), 1u);
}

}  // namespace
}  // namespace plover::test
