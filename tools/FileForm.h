// The forms the tool reads, under the names of its --form option.
#ifndef PLOVERMETA_FILEFORM_H
#define PLOVERMETA_FILEFORM_H

#include <optional>
#include <string>

#include "plover/Form.h"

namespace plovermeta {

using FileForm = plover::Form;
using plover::DetectForm;
using plover::FormDescription;
using plover::kBinaryRecordSize;

// "document", "container", "text", "vtt", "binary".
inline std::string FormOptionName(FileForm form) { return plover::FormName(form); }
// The --form value; nothing for an unknown name.
inline std::optional<FileForm> FormFromOption(const std::string& name) { return plover::FormFromName(name); }

}  // namespace plovermeta

#endif
