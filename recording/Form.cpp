#include "plover/Form.h"

namespace plover {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every form with its short name and its name for people, in enum order.
const struct {
  Form form;
  const char* name;
  const char* description;
} kForms[] = {
    {Form::kDocument, "document", "metadata document"},
    {Form::kContainer, "container", "second-generation metadata file, container form"},
    {Form::kTextFile, "text", "second-generation metadata file, text form"},
    {Form::kTrack, "vtt", "WebVTT caption track"},
    {Form::kBinary, "binary", "binary sample records"},
};

bool Known(Form form) { return static_cast<size_t>(form) < sizeof kForms / sizeof kForms[0]; }

}  // namespace

std::string FormName(Form form) { return Known(form) ? kForms[static_cast<size_t>(form)].name : "?"; }

std::string FormDescription(Form form) { return Known(form) ? kForms[static_cast<size_t>(form)].description : "?"; }

std::optional<Form> FormFromName(std::string_view name) {
  for (const auto& entry : kForms) {
    if (name == entry.name) return entry.form;
  }
  return std::nullopt;
}

std::optional<Form> DetectForm(std::string_view head, uint64_t size) {
  if (head.size() >= 4) {
    const std::string_view type = head.substr(0, 4);
    if (type == "HFPR" || type == "HSPR" || type == "DHED") return Form::kContainer;
  }
  size_t start = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  if (head.compare(start, 6, "WEBVTT") == 0) return Form::kTrack;

  // A binary record starts with 8 bytes not read, then its time stamp text.
  // Records cut off at the end leave a size that is no multiple of theirs;
  // such a file that starts as markup is not taken for one.
  const bool year = head.size() >= 13 && IsDigit(head[8]) && IsDigit(head[9]) && IsDigit(head[10]) &&
                    IsDigit(head[11]) && !IsDigit(head[12]);
  if (year && size % kBinaryRecordSize == 0) return Form::kBinary;
  const size_t first = head.find_first_not_of(" \t\r\n");
  if (year && head[first] != '<') {
    return Form::kBinary;
  }

  while (start < head.size() &&
         (head[start] == ' ' || head[start] == '\t' || head[start] == '\r' || head[start] == '\n')) {
    ++start;
  }
  if (start >= head.size() || head[start] != '<') return std::nullopt;
  if (head.find("<V-Info") != std::string_view::npos) return Form::kDocument;
  const size_t fileInfo = head.find("<F-Info");
  if (fileInfo != std::string_view::npos) {
    // A document keeps recorder settings, log-ins and its file list in
    // F-Info; the second generation names its one file and its zone there.
    for (const char* mark : {"<FileList", "<StreamSettings", "<LoginInfo", "<TimeSettings"}) {
      if (head.find(mark, fileInfo) != std::string_view::npos) return Form::kDocument;
    }
    for (const char* mark : {"<F-Name", "<TZoneInfo", "<TZone", "<StreamInfo"}) {
      const size_t at = head.find(mark, fileInfo);
      const size_t samples = head.find("<P-Info");
      if (at != std::string_view::npos && (samples == std::string_view::npos || at < samples)) return Form::kTextFile;
    }
    return Form::kDocument;
  }
  if (head.find("<P-Info") != std::string_view::npos) return Form::kDocument;
  return std::nullopt;
}

}  // namespace plover
