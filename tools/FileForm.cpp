#include "FileForm.h"

namespace plovermeta {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormOptionName(FileForm form) {
  switch (form) {
    case FileForm::kDocument:
      return "document";
    case FileForm::kContainer:
      return "container";
    case FileForm::kTextFile:
      return "text";
    case FileForm::kTrack:
      return "vtt";
    case FileForm::kBinary:
      return "binary";
  }
  return "?";
}

std::string FormDescription(FileForm form) {
  switch (form) {
    case FileForm::kDocument:
      return "metadata document";
    case FileForm::kContainer:
      return "second-generation metadata file, container form";
    case FileForm::kTextFile:
      return "second-generation metadata file, text form";
    case FileForm::kTrack:
      return "WebVTT caption track";
    case FileForm::kBinary:
      return "binary sample records";
  }
  return "?";
}

std::optional<FileForm> FormFromOption(const std::string& name) {
  for (FileForm form :
       {FileForm::kDocument, FileForm::kContainer, FileForm::kTextFile, FileForm::kTrack, FileForm::kBinary}) {
    if (FormOptionName(form) == name) return form;
  }
  return std::nullopt;
}

std::optional<FileForm> DetectForm(const std::string& head, uint64_t size) {
  if (head.size() >= 4) {
    const std::string type = head.substr(0, 4);
    if (type == "HFPR" || type == "HSPR" || type == "DHED") return FileForm::kContainer;
  }
  size_t start = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  if (head.compare(start, 6, "WEBVTT") == 0) return FileForm::kTrack;

  // A binary record starts with 8 bytes not read, then its time stamp text.
  if (size > 0 && size % kBinaryRecordSize == 0 && head.size() >= 20 && IsDigit(head[8]) && IsDigit(head[9]) &&
      IsDigit(head[10]) && IsDigit(head[11]) && !IsDigit(head[12])) {
    return FileForm::kBinary;
  }

  while (start < head.size() &&
         (head[start] == ' ' || head[start] == '\t' || head[start] == '\r' || head[start] == '\n')) {
    ++start;
  }
  if (start >= head.size() || head[start] != '<') return std::nullopt;
  if (head.find("<V-Info") != std::string::npos) return FileForm::kDocument;
  const size_t fileInfo = head.find("<F-Info");
  if (fileInfo != std::string::npos) {
    // A document keeps recorder settings, log-ins and its file list in
    // F-Info; the second generation names its one file and its zone there.
    for (const char* mark : {"<FileList", "<StreamSettings", "<LoginInfo", "<TimeSettings"}) {
      if (head.find(mark, fileInfo) != std::string::npos) return FileForm::kDocument;
    }
    for (const char* mark : {"<F-Name", "<TZoneInfo", "<TZone", "<StreamInfo"}) {
      const size_t at = head.find(mark, fileInfo);
      const size_t samples = head.find("<P-Info");
      if (at != std::string::npos && (samples == std::string::npos || at < samples)) return FileForm::kTextFile;
    }
    return FileForm::kDocument;
  }
  if (head.find("<P-Info") != std::string::npos) return FileForm::kDocument;
  return std::nullopt;
}

}  // namespace plovermeta
