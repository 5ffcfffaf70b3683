#include "engine/DocumentIntake.h"

#include "engine/MetadataEngine.h"

namespace plover {

// Not yet implemented: the document is stored without parsing its sections.
bool inputdata_xml(MetadataEngine& engine, const char* data, uint32_t length, const char* fileName) {
  if (fileName == nullptr) return false;
  if (engine.documents.count(fileName) == 0) engine.documents[fileName].document.assign(data, length);
  return true;
}

}  // namespace plover
