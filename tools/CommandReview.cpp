// plovermeta review FILE [--video FILE] [--video-start TIME] [-o OUT]: one
// HTML page that shows the recording's video with its OSD, the route and a
// timeline, and works from disk without any network.
#include <iostream>

#include "Commands.h"
#include "OutputFile.h"
#include "ReviewData.h"
#include "TextEscape.h"
#include "ToolError.h"

namespace plovermeta {

// The page's files, embedded at build time (tools/review/).
extern const unsigned char kReviewPage[], kReviewStyle[], kReviewScript[];
extern const std::size_t kReviewPageSize, kReviewStyleSize, kReviewScriptSize;

namespace {

const char kHelp[] =
    "usage: plovermeta review FILE [--video VIDEO] [--video-start TIME] [-o OUT] [--force] [--form FORM] [--tz ZONE]\n"
    "\n"
    "Writes one HTML page that any browser opens from disk, without a network:\n"
    "the video with the OSD laid over it as plovermeta osd shows it, the route\n"
    "to scale with the current position, the own speed, the inputs and the\n"
    "log-ins over time, and the officers and settings beside them.  Space plays\n"
    "and pauses, the arrow keys step from sample to sample, Home and End jump\n"
    "to the first and the last sample.\n"
    "\n"
    "  --video VIDEO       the recording's video, referred to by this path from\n"
    "                      the page (not copied into it); without a video a\n"
    "                      slider drives the page\n"
    "  --video-start TIME  when the video starts: \"YYYY-MM-DD hh:mm:ss[.mmm]\"\n"
    "                      (local), for tracks hh:mm:ss.ttt.  A document's file\n"
    "                      list that names the video says it first; without\n"
    "                      either the video starts at the first sample (tracks:\n"
    "                      at play time 0)\n"
    "  -o, --output OUT    the page to write (default: review.html)\n"
    "  --force             write over an existing file\n"
    "  --form FORM         read as document, container, text, vtt or binary\n"
    "  --tz ZONE           read the recording's times in ZONE instead of its own\n";

std::string Embedded(const unsigned char* bytes, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

// Replaces the one `marker` of `page` with `text`.
void Fill(std::string& page, const std::string& marker, const std::string& text) {
  const size_t at = page.find(marker);
  if (at != std::string::npos) page.replace(at, marker.size(), text);
}

// Text inside a script element may neither end it ("</") nor open a
// comment ("<!--") that keeps the element open; '<' only appears inside the
// JSON's strings, where "\u003c" stands for it.
std::string ScriptSafe(const std::string& json) {
  std::string out;
  out.reserve(json.size());
  for (char c : json) {
    if (c == '<') {
      out += "\\u003c";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string ReviewPage(const std::string& title, const std::string& dataJson) {
  std::string page = Embedded(kReviewPage, kReviewPageSize);
  // The data goes in last: nothing is looked for inside it.
  Fill(page, "@TITLE@", XmlEscape(title));
  Fill(page, "@TITLE@", XmlEscape(title));
  Fill(page, "@STYLE@", Embedded(kReviewStyle, kReviewStyleSize));
  Fill(page, "@SCRIPT@", Embedded(kReviewScript, kReviewScriptSize));
  Fill(page, "@DATA@", ScriptSafe(dataJson));
  return page;
}

int RunReview(const std::vector<std::string>& arguments) {
  const Args args = Args::Parse({"review",
                                 {{"video", 0, true},
                                  {"video-start", 0, true},
                                  {"output", 'o', true},
                                  {"force", 0, false},
                                  kFormOption,
                                  kZoneOption},
                                 1,
                                 1},
                                arguments);
  if (args.Help()) {
    std::cout << kHelp;
    return kExitOk;
  }
  const std::string output = args.Value("output").value_or("review.html");
  const bool force = args.Has("force");
  RefuseExisting(output, force);
  const Recording recording = OpenRecording(args, args.Positionals()[0]);
  const ReviewVideo video{args.Value("video").value_or(""), args.Value("video-start")};
  WriteOutput(output, ReviewPage(recording.name(), ReviewData(recording, video)), force);
  if (output != "-") std::cout << "wrote " << output << std::endl;
  return kExitOk;
}

}  // namespace plovermeta
