#include "plover/References.h"

#include <gtest/gtest.h>

namespace plover {
namespace {

TEST(ReferencesTest, TheFiveStandardReferencesDecodeOnce) {
  EXPECT_EQ(DecodeReferences("O&amp;Kafor &lt;i&gt; &quot;Jr&quot; &apos;x&apos;"), "O&Kafor <i> \"Jr\" 'x'");
  EXPECT_EQ(DecodeReferences("&amp;amp; &copy; & &am&"), "&amp; &copy; & &am&");
  EXPECT_EQ(DecodeReferences(std::string_view("a&lt;b", 4)), "a&lt");  // never past the view
}

}  // namespace
}  // namespace plover
