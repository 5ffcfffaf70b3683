#include "scan/Scanner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace plover::scan {
namespace {

// Element text found by name ("<none>" when not found).
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

TEST(FindElement, Rules) {
  const struct {
    std::string text;
    const char* name;
    const char* found;
  } cases[] = {
      {"xx<StyleX>a</StyleX><Style>b</Style>", "Style", "<StyleX>a</StyleX><Style>b</Style>"},  // name prefix
      {"<StyleX>a</StyleX>", "Style", "<none>"},
      {R"(<OSD id="1">a</OSD><OSD id="2" m="1">b</OSD>)", "OSD id=\"2\"", R"(<OSD id="2" m="1">b</OSD>)"},
      {R"(<OSD id="10">a</OSD>)", "OSD id=\"1\"", "<none>"},
      {R"(<CameraIn id="1"/><Name>x</Name>)", "CameraIn id=\"1\"", R"(<CameraIn id="1"/>)"},
      {"<A><A>x</A></A>", "A", "<A><A>x</A>"},  // no nesting
      {R"(<A v="/>">x</A>)", "A", R"(<A v="/>)"},
      {"<Name>abc", "Name", "<none>"},
      {"<Name>abc</Nam>", "Name", "<none>"},
      {"<Name>", "Name", "<none>"},  // "<Name" plus one byte must lie inside the range
      {"<A>x</A", "A", "<none>"},    // the end tag's '>' too
      {"<A>x</A>", "A", "<A>x</A>"},
  };
  for (const auto& c : cases) EXPECT_EQ(Find(c.text, c.name), c.found) << c.text;
  int32_t length = 7;
  EXPECT_EQ(FindElement(nullptr, 10, "A", &length), nullptr);
  EXPECT_EQ(FindElement("<A>x</A>", 8, "A", nullptr), nullptr);
  EXPECT_EQ(FindElement("<A>x</A>", -8, "A", &length), nullptr);
  EXPECT_EQ(length, 7);
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

TEST(GetElementContent, Rules) {
  const struct {
    const char* element;
    const char* content;
    uint32_t length;  // 5: not written
  } cases[] = {
      {"<Name>\r\nABC \r\n</Name>", "ABC ", 4},  // only line breaks are trimmed
      {"<Name>\t x \t</Name>", "\t x \t", 5},
      {"<Name></Name>", "<none>", 0},
      {"<Name>\r\n\r\n</Name>", "<none>", 0},
      {R"(<Name id="1"/>)", R"(id="1")", 6},  // self-closing: the attribute text
      {"<Name/>", "<none>", 0},
      {"<Other>x</Name>", "x", 1},  // the start tag's name is not checked
      {"Name>x</Name>", "<none>", 5},
      {"<Name>", "<none>", 5},
      {"<Name>x", "<none>", 5},
      {"<Name\r\n", "<none>", 5},
  };
  for (const auto& c : cases) {
    uint32_t n = 5;
    EXPECT_EQ(Content(c.element, "Name", &n), c.content) << c.element;
    EXPECT_EQ(n, c.content == std::string("<none>") && c.length == 5 ? 12345u : c.length) << c.element;
  }
  uint32_t n = 5;
  EXPECT_EQ(GetElementContent(nullptr, 5, "A", &n), nullptr);
  EXPECT_EQ(GetElementContent("<A>x</A>", 8, "A", nullptr), nullptr);
  EXPECT_EQ(CopyElementContent("<A>\r\nxy\r\n</A>", 13, "A"), std::optional<std::string>("xy"));
  EXPECT_EQ(CopyElementContent("<A></A>", 7, "A"), std::nullopt);
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
                               std::string("<A\0B>x</A>", 10),
                               "<!-- c -->",
                               "x<A></A>"};
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
  EXPECT_EQ(GetElementLength(nullptr, 10), -1);
}

TEST(Attributes, StartTagOnlyOrAnywhere) {
  const struct {
    const char* text;
    const char* pattern;
    const char* tag;  // GetTagAttribute: the start tag only
    const char* any;  // FindAttributeText: anywhere in the range
  } cases[] = {
      {R"(<R model="X1" serial="42">b serial="no"</R>)", "serial=\"", "42", "42"},
      {R"(<R>x="1"</R>)", "x=\"", "-", "1"},
      {R"(<F field-id="7" id="2">)", "id=\"", "7", "7"},  // inside a longer name
      {R"(<OSD pos="a>b">)", "pos=\"", "-", "a>b"},
      {R"(<OSD pos="abc)", "pos=\"", "-", "-"},
      {R"(<OSD pos="">)", "pos=\"", "", ""},
      {R"(<A b="1">)", "absent=\"", "-", "-"},
      {"mark=\"", "mark=\"", "-", "-"},  // the pattern must end before the range does
  };
  for (const auto& c : cases) {
    const auto size = static_cast<uint32_t>(std::strlen(c.text));
    EXPECT_EQ(GetTagAttribute(c.text, size, c.pattern).value_or("-"), c.tag) << c.text;
    EXPECT_EQ(FindAttributeText(c.text, size, c.pattern).value_or("-"), c.any) << c.text;
  }
}

}  // namespace
}  // namespace plover::scan
