#include "engine/MetadataEngine.h"

namespace plover {

void MetadataEngine::clear_metadata() {
  samples.clear();
  logins.clear();
  documents.clear();
  documentByFile.clear();
  devices.clear();
}

}  // namespace plover
