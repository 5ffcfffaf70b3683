// The caller owns GetAv3File's array and may release it with
// ReleaseAv3FileList or, on Windows, with VirtualFree(list, 0, MEM_RELEASE).
#include <gtest/gtest.h>

#include <string>

#include "PloverMetaParser.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

const char kDocument[] =
    "<F-Info><FileList>\r\n"
    "<File ch=\"1\" dtype=\"v\"><F-Name>B.MP4</F-Name><RecST>2016-02-29 10:00:01</RecST></File>\r\n"
    "<File ch=\"1\" dtype=\"v\"><F-Name>A.MP4</F-Name><RecST>2016-02-29 10:00:00</RecST></File>\r\n"
    "</FileList></F-Info>";

_META_VO_SFILELIST* TwoFiles(CMetaParser& parser) {
  std::string doc(kDocument);
  parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), "a.xml");
  _META_VO_SFILELIST* list = nullptr;
  int count = 0;
  EXPECT_EQ(parser.GetAv3File(0, 1, &list, &count, "a.xml"), 1);
  EXPECT_EQ(count, 2);
  return list;
}

TEST(FileListRelease, ReleaseAv3FileListFreesTheArray) {
  CMetaParser parser;
  _META_VO_SFILELIST* list = TwoFiles(parser);
  ASSERT_NE(list, nullptr);
  EXPECT_STREQ(list[0].fileName, "A.MP4");
  ReleaseAv3FileList(list);
}

#if defined(_WIN32)
TEST(FileListRelease, VirtualFreeReleasesTheArray) {
  CMetaParser parser;
  _META_VO_SFILELIST* list = TwoFiles(parser);
  ASSERT_NE(list, nullptr);
  MEMORY_BASIC_INFORMATION info;
  ASSERT_NE(VirtualQuery(list, &info, sizeof info), 0u);
  EXPECT_EQ(info.AllocationBase, static_cast<void*>(list));  // its own page allocation
  EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
  EXPECT_NE(VirtualFree(list, 0, MEM_RELEASE), 0);
}
#endif

}  // namespace
