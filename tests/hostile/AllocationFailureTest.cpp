// Running out of memory inside a member is answered with the member's failure
// result: no exception leaves the interface, nothing is half stored, and the
// object stays usable.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

#include "MemoryCounter.h"
#include "PloverMetaParser.h"

namespace {

std::string Document() {
  std::string doc = "<V-Info><Recorder model=\"R\"/></V-Info><P-Info>";
  for (int i = 0; i < 200; ++i) doc += "<Index><TS>2016/02/29 10:00:00.000</TS><G-STAT>0</G-STAT></Index>";
  return doc + "</P-Info>";
}

PMP_LONG TakeDocument(CMetaParser& parser, std::string& doc, const char* name) {
  return parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), name);
}

PMP_LONG TakeTrack(CMetaParser& parser, std::string& track) {
  return parser.inputdata_VTT(reinterpret_cast<unsigned char*>(&track[0]), static_cast<PMP_ULONG>(track.size()));
}

// Whether the limit bites: a memory checker (valgrind) that replaces
// operator new takes allocations past the counter.
bool LimitBites() {
  plover::test::ScopedAllocationLimit limit(plover::test::BytesInUse() + 16);
  try {
    void* volatile probe = ::operator new(4096);
    ::operator delete(probe);
    return false;
  } catch (const std::bad_alloc&) {
    return true;
  }
}

TEST(AllocationFailure, MembersAnswerTheirFailureResult) {
  if (!LimitBites()) GTEST_SKIP() << "operator new is not the counter's here";
  std::string doc = Document();
  std::string track = "WEBVTT\n\n00:00:01.000 --> 00:00:02.000\nHello\n";
  CMetaParser filled;
  ASSERT_EQ(TakeDocument(filled, doc, "a.xml"), 0);
  ASSERT_EQ(TakeTrack(filled, track), 0);
  CMetaParser parser;
  struct Case {
    const char* member;
    std::function<PMP_LONG()> call;  // built before memory is limited
    PMP_LONG failure;
  };
  const Case cases[] = {
      {"inputdata_xml", [&] { return TakeDocument(parser, doc, "b.xml"); }, -2},
      {"inputdata_VTT", [&] { return TakeTrack(parser, track); }, -2},
      {"operator=", [&] { return &(parser = filled) == &parser ? PMP_LONG(0) : PMP_LONG(1); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.member);
    PMP_LONG result = 1234;
    {
      plover::test::ScopedAllocationLimit limit(plover::test::BytesInUse() + 16);
      try {
        result = c.call();
      } catch (...) {
        ADD_FAILURE() << "an exception left the member";
      }
    }
    EXPECT_EQ(result, c.failure);
  }
  _VTT_OSD_INFO cue;
  EXPECT_EQ(parser.GetModelTypeVinfo("b.xml", "R"), -1);
  EXPECT_EQ(parser.GetModelTypeVinfo("a.xml", "R"), -1);  // the assignment changed nothing
  EXPECT_EQ(parser.GetVTTData("00:00:01.500", &cue), -1);

  EXPECT_EQ(TakeDocument(parser, doc, "b.xml"), 0);
  EXPECT_EQ(parser.GetModelTypeVinfo("b.xml", "R"), 1);
  parser = filled;
  EXPECT_EQ(parser.GetModelTypeVinfo("a.xml", "R"), 1);
  EXPECT_EQ(parser.GetVTTData("00:00:01.500", &cue), 0);
}

}  // namespace
