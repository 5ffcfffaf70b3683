// Files cut off before their end (power lost while recording, a copy
// interrupted): what a complete file would hold of their complete records,
// so that the library reads those samples as it reads any file.
#ifndef PLOVER_RECORDING_RECOVERY_H
#define PLOVER_RECORDING_RECOVERY_H

#include <optional>
#include <string>
#include <string_view>

namespace plover {

// A document or second-generation text file whose P-Info section or root
// element has no end tag: its bytes up to the last complete Index element,
// the section and the root element closed.  Nothing when the file is whole
// or does not start as markup.
std::optional<std::string> RepairTagged(std::string_view bytes);

// A container whose chunks run past its end, or into the 128 bytes that end
// every container: the complete chunks, the cut data chunk with its complete
// records and its size to match, index tables and entries that point past
// the cut dropped, and the 128-byte tail restored.  Nothing when the file is
// whole, does not start with a chunk, or its chunks do not walk (the library
// then reads it as it is).
std::optional<std::string> RepairContainer(std::string_view bytes);

}  // namespace plover

#endif
