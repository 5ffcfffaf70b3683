#include "engine/FileList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DocumentSamples.h"
#include "TimeZone.h"
#include "engine/DocumentIntake.h"
#include "engine/MetadataEngine.h"
#include "platform/PageAlloc.h"

namespace plover {
namespace {

using test::File;
using Names = std::vector<std::string>;

class FileLists : public ::testing::Test {
 protected:
  void Add(const std::string& name, const std::string& files) {
    const std::string doc = test::FInfo(test::FileList(files));
    ASSERT_TRUE(inputdata_xml(engine, doc.data(), static_cast<uint32_t>(doc.size()), name.c_str()));
  }
  // The names GetAv3File lists, or {"<false>"}.
  std::vector<std::string> List(int32_t dataType, int32_t channel, const char* doc = "doc") {
    _META_VO_SFILELIST* list = nullptr;
    int32_t count = -1;
    if (!GetAv3File(engine, dataType, channel, &list, &count, doc)) return {"<false>"};
    std::vector<std::string> names;
    EXPECT_EQ(list == nullptr, count == 0);
    for (int32_t i = 0; i < count; ++i) {
      const _META_VO_SFILELIST& e = list[i];
      for (unsigned char b : e.reserved) EXPECT_EQ(b, 0);
      names.emplace_back(e.fileName, std::find(e.fileName, e.fileName + 256, '\0'));
    }
    platform::ReleasePages(list);
    return names;
  }
  std::string MetaName(const char* file) {
    char out[256];
    std::fill(out, out + 256, '#');
    return GetMetaFileName(engine, file, out) ? std::string(out) : "<false>";
  }
  test::ScopedTimeZone utc{"UTC0"};
  MetadataEngine engine;
};

TEST_F(FileLists, OrderedByStartTimeFirstOfATimeWins) {
  Add("doc", File("1", "v", "c", "2020-01-01 10:00:02") + File("1", "v", "a", "2020-01-01 10:00:00") +
                 File("1", "v", "b", "2020-01-01 10:00:01") + File("1", "v", "dup", "2020-01-01 10:00:01") +
                 File("2", "v", "ch2", "2020-01-01 09:00:00") + File("1", "a", "audio", "2020-01-01 09:00:00") +
                 File("01", "x", "x1", "2020-01-01 09:00:00") + File("100", "v", "wide", "2020-01-01 09:00:00") +
                 File("1", "vv", "two", "2020-01-01 09:00:00") + File("3", "w", "short", "2020-01-01") +
                 File("3", "w", "long", "2020-01-01 08:00:00.123 extra text"));
  EXPECT_EQ(List(0, 1), (Names{"a", "b", "c"}));
  EXPECT_EQ(List(0, 2), (Names{"ch2"}));
  EXPECT_EQ(List(1, 1), (Names{"audio"}));
  EXPECT_EQ(List(2, 1), (Names{"x1"}));  // "01" is channel 1
  // A RecST longer than the format is read by its first 19 characters; a
  // shorter one reads as if padded, so it sorts by its date alone.
  EXPECT_EQ(List(3, 3), (Names{"short", "long"}));
  EXPECT_EQ(List(0, 100).size() + List(4, 1).size() + List(-1, 1).size(), 0u);
  EXPECT_EQ(List(0, 1, "unknown"), (Names{"<false>"}));
}

TEST_F(FileLists, BadInputStopsTheListButKeepsEarlierFiles) {
  const std::string longName(300, 'n');
  Add("doc", File("1", "v", longName, "2020-01-01 10:00:00") + File("1", "v", "b", "2020-01-01 10:00:01") +
                 "<File ch=\"1\" dtype=\"v\"><RecST>2020-01-01 10:00:02</RecST></File>" +
                 File("1", "v", "after", "2020-01-01 10:00:03"));
  // The 300-character name fills the field without a NUL; a File without
  // F-Name borrows the name of the next one, by position.
  EXPECT_EQ(List(0, 1), (Names{std::string(256, 'n'), "b", "after", "after"}));

  Add("noend", File("1", "v", "a", "2020-01-01 10:00:00") + "<File ch=\"1\" dtype=\"v\"><F-Name>b</F-Name>");
  EXPECT_EQ(List(0, 1, "noend"), (Names{"a"}));
  Add("comment", File("1", "v", "a", "2020-01-01 10:00:00") + "<!-- x -->");
  EXPECT_EQ(List(0, 1, "comment"), (Names{"a"}));
  Add("unquoted", "<File ch=\"1 dtype=\"v\"><F-Name>q</F-Name><RecST>2020-01-01 10:00:00</RecST></File>");
  EXPECT_TRUE(List(0, 1, "unquoted").empty());
}

TEST_F(FileLists, RegistrationKeepsTheFirstDocument) {
  Add("A", File("1", "v", "N", "2020-01-01 10:00:00") + File("6", "v", "six", "2020-01-01 10:00:00") +
               File("1", "x", "x1", "2020-01-01 10:00:00") + File("2", "x", "x2", "2020-01-01 10:00:00") +
               File("2", "w", "w2", "2020-01-01 10:00:00") + File("3", "a", "a3", "2020-01-01 10:00:00") +
               File("3", "w", "w3", "2020-01-01 10:00:00") + File("5", "v", "v5", "2020-01-01 10:00:00"));
  Add("B", File("1", "v", "N", "2020-01-01 10:00:00") + File("1", "v", "M", "2020-01-01 11:00:00"));
  EXPECT_EQ(MetaName("N"), "A");
  EXPECT_EQ(MetaName("M"), "B");
  for (const char* known : {"x2", "w2", "a3", "v5"}) EXPECT_EQ(MetaName(known), "A") << known;
  for (const char* unknown : std::initializer_list<const char*>{"six", "x1", "w3", "n", nullptr})
    EXPECT_EQ(MetaName(unknown), "<false>");

  // A document name that does not fit 256 bytes with its NUL gives an empty text.
  const std::string longDoc(256, 'd');
  Add(longDoc, File("1", "v", "L", "2020-01-01 10:00:00"));
  EXPECT_EQ(MetaName("L"), "");
  EXPECT_EQ(engine.documentByFile.at("L"), longDoc);
}

}  // namespace
}  // namespace plover
