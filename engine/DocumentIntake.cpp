#include "engine/DocumentIntake.h"

#include <memory>
#include <new>
#include <string>
#include <utility>

#include "engine/FileList.h"
#include "engine/LoginInfo.h"
#include "engine/MetadataEngine.h"
#include "engine/PInfoParser.h"
#include "engine/SettingsParser.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

// The first element `name` of the range, or null.
const char* FindSection(const char* text, uint32_t length, const char* name, uint32_t* sectionLength) {
  if (text == nullptr) return nullptr;
  int32_t found = 0;
  const int32_t limit = length > 0x7fffffffu ? 0x7fffffff : static_cast<int32_t>(length);
  const char* e = scan::FindElement(text, limit, name, &found);
  if (e != nullptr) *sectionLength = static_cast<uint32_t>(found);
  return e;
}

// Runs one section parser.  Its result is not looked at, and running out of
// memory inside it stops that section only: what it stored stays, and the
// intake goes on.
template <typename Parse>
void RunSection(Parse parse) {
  try {
    parse();
  } catch (const std::bad_alloc&) {
  }
}

}  // namespace

// A null file name is refused: every map this call fills is keyed by the
// name, and an empty name would silently merge unrelated documents.  Nothing
// is stored and the caller sees the failure result.
bool inputdata_xml(MetadataEngine& engine, const char* data, uint32_t length, const char* fileName) {
  if (fileName == nullptr) return false;
  if (data == nullptr && length != 0) return false;
  const std::string name(fileName);

  // The first document of a name is kept, and its sections are read from
  // that copy, so that its samples see their texts in it: the document is
  // copied once.  A later document of the name is read where it lies, and
  // only its samples' section is copied.
  const bool keep = engine.documents.find(name) == engine.documents.end();
  std::shared_ptr<const std::string> copy;
  if (keep) {
    try {
      copy = length != 0 ? std::make_shared<const std::string>(data, length) : std::make_shared<const std::string>();
    } catch (const std::bad_alloc&) {
      return false;
    }
    data = copy->data();
  }

  uint32_t vinfoLength = 0;
  if (const char* vinfo = FindSection(data, length, "V-Info", &vinfoLength)) {
    RunSection([&] { parse_vinfo(engine, name, vinfo, vinfoLength); });
  }

  // The first F-Info serves the trigger summary, the log-ins and the settings.
  uint32_t finfoLength = 0;
  const char* finfo = FindSection(data, length, "F-Info", &finfoLength);
  const TriggerSummary trigger = parse_trigger_summary(finfo, finfoLength);

  uint32_t pinfoLength = 0;
  if (const char* pinfo = FindSection(data, length, "P-Info", &pinfoLength)) {
    RunSection([&] {
      if (copy) {
        parse_pinfo_in(engine, name, copy, pinfo, pinfoLength, trigger.speedTriggerOn, trigger.speedTriggerGpi);
      } else {
        parse_pinfo(engine, name.c_str(), pinfo, pinfoLength, trigger.speedTriggerOn, trigger.speedTriggerGpi);
      }
    });
  }

  uint32_t loginLength = 0;
  if (const char* login = FindSection(finfo, finfoLength, "LoginInfo", &loginLength)) {
    RunSection([&] { parse_loginInfo(engine, login, loginLength, name.c_str()); });
  }

  // Later documents of a name are parsed above but not stored.
  if (keep) {
    try {
      DocumentEntry entry;
      parse_finfo_settings(finfo, finfoLength, entry.settings);
      entry.document = std::move(copy);
      engine.documents.emplace(name, std::move(entry));
    } catch (const std::bad_alloc&) {
      return false;
    }
  }

  RunSection([&] { register_files(engine, name); });
  return true;
}

}  // namespace plover
