#include "scan/Scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace plover::scan {
namespace {

// Element text found by name, as a string ("" when not found).
std::string Find(const std::string& text, const char* name) {
  int32_t length = -1;
  const char* e = FindElement(text.data(), static_cast<int32_t>(text.size()), name, &length);
  return e ? std::string(e, static_cast<size_t>(length)) : std::string("<none>");
}

std::string Content(const std::string& element, const char* name, uint32_t* length = nullptr) {
  uint32_t n = 12345;
  const char* c = GetElementContent(element.data(), static_cast<uint32_t>(element.size()), name, &n);
  if (length) *length = n;
  return c ? std::string(c, n) : std::string("<none>");
}

TEST(FindElement, MatchesNamePrefixAndClosesAtFirstBareEndTag) {
  const std::string text = "xx<StyleX>a</StyleX><Style>b</Style>";
  EXPECT_EQ(Find(text, "Style"), "<StyleX>a</StyleX><Style>b</Style>");
  EXPECT_EQ(Find("<StyleX>a</StyleX>", "Style"), "<none>");
}

TEST(FindElement, SearchNameWithAttributesClosesAtBareName) {
  EXPECT_EQ(Find(R"(<OSD id="1">a</OSD><OSD id="2" master="1">b</OSD>)", "OSD id=\"2\""),
            R"(<OSD id="2" master="1">b</OSD>)");
  // The closing quote keeps id="1" from matching id="10".
  EXPECT_EQ(Find(R"(<OSD id="10">a</OSD>)", "OSD id=\"1\""), "<none>");
}

TEST(FindElement, SelfClosingElementEndsAtItsTag) {
  EXPECT_EQ(Find(R"(<CameraIn id="1"/><Name>x</Name>)", "CameraIn id=\"1\""), R"(<CameraIn id="1"/>)");
}

TEST(FindElement, NoNestingFirstEndTagCloses) { EXPECT_EQ(Find("<A><A>x</A></A>", "A"), "<A><A>x</A>"); }

TEST(FindElement, GreaterThanInAttributeEndsStartTagEarly) {
  EXPECT_EQ(Find(R"(<A v="/>">x</A>)", "A"), R"(<A v="/>)");
}

TEST(FindElement, MissingEndTagOrBoundsFindNothing) {
  EXPECT_EQ(Find("<Name>abc", "Name"), "<none>");
  EXPECT_EQ(Find("<Name>abc</Nam>", "Name"), "<none>");
  // i + N + 1 < length: "<Name" plus one byte must lie inside the range.
  EXPECT_EQ(Find("<Name", "Name"), "<none>");
  EXPECT_EQ(Find("<Name>", "Name"), "<none>");
  // The end tag's '>' must lie inside the range.
  const std::string text = "<A>x</A>";
  int32_t length = -1;
  EXPECT_EQ(FindElement(text.data(), 7, "A", &length), nullptr);
  EXPECT_EQ(length, -1);
  EXPECT_NE(FindElement(text.data(), 8, "A", &length), nullptr);
  EXPECT_EQ(length, 8);
}

TEST(FindElement, NullArgumentsAndNegativeLength) {
  int32_t length = 7;
  EXPECT_EQ(FindElement(nullptr, 10, "A", &length), nullptr);
  EXPECT_EQ(FindElement("<A>x</A>", 8, nullptr, &length), nullptr);
  EXPECT_EQ(FindElement("<A>x</A>", 8, "A", nullptr), nullptr);
  EXPECT_EQ(FindElement("<A>x</A>", -8, "A", &length), nullptr);
  EXPECT_EQ(length, 7);
}

TEST(GetElementContent, TrimsOnlyLineBreaks) {
  uint32_t n = 0;
  EXPECT_EQ(Content("<Name>\r\nABC \r\n</Name>", "Name", &n), "ABC ");
  EXPECT_EQ(n, 4u);
  EXPECT_EQ(Content("<Name>\t x \t</Name>", "Name"), "\t x \t");
}

TEST(GetElementContent, EmptyContentWritesZeroLength) {
  uint32_t n = 99;
  EXPECT_EQ(Content("<Name></Name>", "Name", &n), "<none>");
  EXPECT_EQ(n, 0u);
  EXPECT_EQ(Content("<Name>\r\n\r\n</Name>", "Name", &n), "<none>");
}

TEST(GetElementContent, SelfClosingGivesAttributeText) {
  uint32_t n = 0;
  EXPECT_EQ(Content(R"(<CameraIn id="1"/>)", "CameraIn", &n), R"(id="1")");
  EXPECT_EQ(n, 6u);
  EXPECT_EQ(Content("<CameraIn/>", "CameraIn", &n), "<none>");
  EXPECT_EQ(n, 0u);
}

TEST(GetElementContent, StartTagNameIsNotChecked) { EXPECT_EQ(Content("<Other>x</Name>", "Name"), "x"); }

TEST(GetElementContent, RejectsBadRanges) {
  uint32_t n = 5;
  EXPECT_EQ(GetElementContent(nullptr, 5, "A", &n), nullptr);
  EXPECT_EQ(GetElementContent("<A>x</A>", 8, "A", nullptr), nullptr);
  EXPECT_EQ(GetElementContent("A>x</A>", 7, "A", &n), nullptr);
  EXPECT_EQ(GetElementContent("<", 1, "A", &n), nullptr);
  EXPECT_EQ(GetElementContent("<A>", 3, "A", &n), nullptr);   // nothing after '>'
  EXPECT_EQ(GetElementContent("<A>x", 4, "A", &n), nullptr);  // no end tag
  EXPECT_EQ(GetElementContent("<A\r\n", 4, "A", &n), nullptr);
  EXPECT_EQ(n, 5u);
}

TEST(CopyElementContent, OwnsATextOrNothing) {
  const std::string e = "<A>\r\nxy\r\n</A>";
  EXPECT_EQ(CopyElementContent(e.data(), static_cast<uint32_t>(e.size()), "A"), std::optional<std::string>("xy"));
  EXPECT_EQ(CopyElementContent(nullptr, 5, "A"), std::nullopt);
  EXPECT_EQ(CopyElementContent("<A></A>", 7, "A"), std::nullopt);
}

TEST(GetElementLength, MeasuresTheLeadingElement) {
  const std::string text = R"(<Speed id="1">5</Speed><Next/>)";
  EXPECT_EQ(GetElementLength(text.data(), static_cast<int32_t>(text.size())), 23);
  EXPECT_EQ(GetElementLength("<Next/>", 7), 7);
  EXPECT_EQ(GetElementLength("x<A></A>", 8), -1);
  EXPECT_EQ(GetElementLength("<", 1), -1);
  EXPECT_EQ(GetElementLength("<ABC", 4), -1);         // no blank or '>'
  EXPECT_EQ(GetElementLength("<!-- c -->", 10), -1);  // a comment has no end tag
  EXPECT_EQ(GetElementLength(nullptr, 10), -1);
}

// The leading element measured as the general search for its name (the
// bytes after '<' up to a blank, a '>' or a NUL) measures it, for every way
// the start tag and the range can end.
TEST(GetElementLength, AgreesWithTheSearchForItsName) {
  const std::string cases[] = {"<A>x</A>",
                               "<A x=\"1\">x</A>",
                               "<A/>",
                               "<AB>x</A></AB>",
                               "<A>x</A >",
                               "<A >x</A>y",
                               "<A>>x</A>",
                               "<A/ >x</A>",
                               "<> </>",
                               "<A x=\">\"></A>",
                               std::string("<A\0B>x</A>", 10)};
  for (const std::string& text : cases) {
    for (size_t length = 0; length <= text.size(); ++length) {
      const std::string range = text.substr(0, length);
      const size_t end = range.find_first_of(" >", 1);
      int32_t expected = -1;
      if (range.size() > 1 && range[0] == '<' && end != std::string::npos) {
        const std::string name = range.substr(1, end - 1).c_str();
        const std::string found = Find(range, name.c_str());
        if (found != "<none>") expected = static_cast<int32_t>(found.size());
      }
      EXPECT_EQ(GetElementLength(range.data(), static_cast<int32_t>(range.size())), expected) << range;
    }
  }
}

// The end-tag search takes several start positions at a time: an end tag at
// any offset, near either end of the range, is found, and a false start just
// before it is passed over.
TEST(FindElement, EndTagFoundAtEveryOffset) {
  for (size_t pad = 0; pad < 70; ++pad) {
    for (const std::string& filler : {std::string(pad, 'x'), std::string(pad, '<'), std::string(pad, '/')}) {
      const std::string element = "<A>" + filler + "</B></A";
      EXPECT_EQ(Find(element + ">", "A"), element + ">") << pad;
      EXPECT_EQ(Find(element, "A"), "<none>") << pad;
      EXPECT_EQ(Find(element + ">tail", "A"), element + ">") << pad;
    }
  }
}

TEST(GetTagAttribute, ReadsStartTagOnly) {
  const std::string e = R"(<Recorder model="X1" serial="42">body serial="no"</Recorder>)";
  const auto size = static_cast<uint32_t>(e.size());
  EXPECT_EQ(GetTagAttribute(e.data(), size, "model=\""), std::optional<std::string_view>("X1"));
  EXPECT_EQ(GetTagAttribute(e.data(), size, "serial=\""), std::optional<std::string_view>("42"));
  EXPECT_EQ(GetTagAttribute(e.data(), size, "absent=\""), std::nullopt);
  const std::string late = R"(<A>x="1"</A>)";
  EXPECT_EQ(GetTagAttribute(late.data(), static_cast<uint32_t>(late.size()), "x=\""), std::nullopt);
}

TEST(GetTagAttribute, PatternMatchesInsideLongerNameAndNeedsClosingQuote) {
  const std::string e = R"(<F field-id="7" id="2">)";
  EXPECT_EQ(GetTagAttribute(e.data(), static_cast<uint32_t>(e.size()), "id=\""), std::optional<std::string_view>("7"));
  const std::string gt = R"(<OSD pos="a>b">)";
  EXPECT_EQ(GetTagAttribute(gt.data(), static_cast<uint32_t>(gt.size()), "pos=\""), std::nullopt);
  const std::string open = R"(<OSD pos="abc)";
  EXPECT_EQ(GetTagAttribute(open.data(), static_cast<uint32_t>(open.size()), "pos=\""), std::nullopt);
  const std::string empty = R"(<OSD pos="">)";
  EXPECT_EQ(GetTagAttribute(empty.data(), static_cast<uint32_t>(empty.size()), "pos=\""),
            std::optional<std::string_view>(""));
}

TEST(FindAttributeText, LooksPastTagEndAndKeepsGreaterThan) {
  const std::string e = R"(<OptionOSD id="2"><X len="1>2"/></OptionOSD>)";
  EXPECT_EQ(FindAttributeText(e.data(), static_cast<uint32_t>(e.size()), "len=\""),
            std::optional<std::string_view>("1>2"));
  EXPECT_EQ(FindAttributeText(e.data(), static_cast<uint32_t>(e.size()), "mark=\""), std::nullopt);
  const std::string open = R"(<A mark="abc)";
  EXPECT_EQ(FindAttributeText(open.data(), static_cast<uint32_t>(open.size()), "mark=\""), std::nullopt);
  // The pattern must end before the range does.
  EXPECT_EQ(FindAttributeText("mark=\"", 6, "mark=\""), std::nullopt);
}

}  // namespace
}  // namespace plover::scan
