// Running out of memory inside a member is answered with the member's failure
// result: no exception leaves the interface, and the object stays usable.
#include <gtest/gtest.h>

#include <string>

#include "MemoryCounter.h"
#include "PloverMetaParser.h"

namespace {

std::string Document() {
  std::string doc = "<V-Info><Recorder model=\"R\"/></V-Info><P-Info>";
  for (int i = 0; i < 200; ++i) doc += "<Index><TS>2016/02/29 10:00:00.000</TS><G-STAT>0</G-STAT></Index>";
  return doc + "</P-Info>";
}

const std::string kTrack = "WEBVTT\n\n00:00:01.000 --> 00:00:02.000\nHello\n";

PMP_LONG TakeDocument(CMetaParser& parser, std::string doc, const char* name) {
  return parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), name);
}

PMP_LONG TakeTrack(CMetaParser& parser) {
  std::string track = kTrack;
  return parser.inputdata_VTT(reinterpret_cast<unsigned char*>(&track[0]), static_cast<PMP_ULONG>(track.size()));
}

TEST(AllocationFailure, MembersAnswerTheirFailureResult) {
  CMetaParser parser;
  CMetaParser filled;
  ASSERT_EQ(TakeDocument(filled, Document(), "a.xml"), 0);
  ASSERT_EQ(TakeTrack(filled), 0);
  const std::string doc = Document();
  struct Case {
    const char* member;
    PMP_LONG (*call)(CMetaParser& parser, CMetaParser& filled, const std::string& doc);
    PMP_LONG failure;
  };
  const Case cases[] = {
      {"inputdata_xml", [](CMetaParser& p, CMetaParser&, const std::string& d) { return TakeDocument(p, d, "b.xml"); },
       -2},
      {"inputdata_VTT", [](CMetaParser& p, CMetaParser&, const std::string&) { return TakeTrack(p); }, -2},
      {"operator=",
       [](CMetaParser& p, CMetaParser& f, const std::string&) { return (p = f).GetModelTypeVinfo("a.xml", "R"); }, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.member);
    PMP_LONG result = 0;
    {
      plover::test::ScopedAllocationLimit limit(plover::test::BytesInUse() + 16);
      try {
        result = c.call(parser, filled, doc);
      } catch (...) {
        ADD_FAILURE() << "an exception left the member";
      }
    }
    EXPECT_EQ(result, c.failure);
  }
  // Nothing was half stored, and with memory the same calls succeed.
  EXPECT_EQ(parser.GetModelTypeVinfo("b.xml", "R"), -1);
  EXPECT_EQ(TakeDocument(parser, doc, "b.xml"), 0);
  EXPECT_EQ(parser.GetModelTypeVinfo("b.xml", "R"), 1);
  parser = filled;
  EXPECT_EQ(parser.GetModelTypeVinfo("a.xml", "R"), 1);
}

}  // namespace
