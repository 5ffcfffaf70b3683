// The forms of metadata the tool reads, recognised from a file's first
// bytes or named with --form.
#ifndef PLOVERMETA_FILEFORM_H
#define PLOVERMETA_FILEFORM_H

#include <cstdint>
#include <optional>
#include <string>

namespace plovermeta {

enum class FileForm {
  kDocument,   // tagged-text metadata document (V-Info, F-Info, P-Info)
  kContainer,  // second-generation chunked container
  kTextFile,   // second-generation text file (F-Info, P-Info)
  kTrack,      // WebVTT caption track
  kBinary,     // 284-byte binary sample records, one after another
};

// "document", "container", "text", "vtt", "binary".
std::string FormOptionName(FileForm form);
// For people: "metadata document", "second-generation container", ...
std::string FormDescription(FileForm form);
// The --form value; nothing for an unknown name.
std::optional<FileForm> FormFromOption(const std::string& name);

// The form of a file from its first bytes (`head`, up to 64 KiB) and its
// size; nothing when no form fits.
std::optional<FileForm> DetectForm(const std::string& head, uint64_t size);

inline constexpr uint64_t kBinaryRecordSize = 284;

}  // namespace plovermeta

#endif
