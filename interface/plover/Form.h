// The forms a recording's metadata comes in, and how a file's first bytes
// tell them apart.
#ifndef PLOVER_FORM_H
#define PLOVER_FORM_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plover {

enum class Form {
  kDocument,   // tagged-text metadata document (V-Info, F-Info, P-Info)
  kContainer,  // second-generation chunked container
  kTextFile,   // second-generation text file (F-Info, P-Info)
  kTrack,      // WebVTT caption track
  kBinary,     // 284-byte binary sample records, one after another
};

inline constexpr uint64_t kBinaryRecordSize = 284;

// Short names: "document", "container", "text", "vtt", "binary".
std::string FormName(Form form);
// For people: "metadata document", "WebVTT caption track", ...
std::string FormDescription(Form form);
// The form of a short name; nothing for an unknown name.
std::optional<Form> FormFromName(std::string_view name);

// The form of a file from its first bytes (`head`, up to 64 KiB) and its
// whole size; nothing when no form fits.
std::optional<Form> DetectForm(std::string_view head, uint64_t size);

// Second-generation files are read from disk by path.
inline bool IsSecondGeneration(Form form) { return form == Form::kContainer || form == Form::kTextFile; }

}  // namespace plover

#endif
