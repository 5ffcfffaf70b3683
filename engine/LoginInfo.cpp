#include "engine/LoginInfo.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "engine/MetadataEngine.h"
#include "engine/SeekSample.h"
#include "scan/CopyOut.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

constexpr uint32_t kTimeSearchWidth = 32;  // the time's quote lies among the first 32 characters
constexpr uint32_t kTimeTextLength = 19;   // YYYY-MM-DD hh:mm:ss

int32_t Limit(uint32_t length) { return length > 0x7fffffffu ? 0x7fffffff : static_cast<int32_t>(length); }

// The content of the first element `name` in the range, or nullopt.
std::optional<std::string_view> FindContent(const char* text, uint32_t length, const char* name) {
  if (text == nullptr) return std::nullopt;
  int32_t elementLength = 0;
  const char* e = scan::FindElement(text, Limit(length), name, &elementLength);
  if (e == nullptr) return std::nullopt;
  return scan::ElementContent(e, static_cast<uint32_t>(elementLength), name);
}

void StoreContent(std::optional<std::string>& slot, std::optional<std::string_view> range, const char* name) {
  if (!range) return;
  if (auto content = FindContent(range->data(), static_cast<uint32_t>(range->size()), name)) {
    slot = std::string(*content);
  }
}

}  // namespace

uint32_t login_time(const char* login, uint32_t loginLength) {
  if (login == nullptr || loginLength < kTimeSearchWidth) return 0;
  const void* quote = std::memchr(login, '"', kTimeSearchWidth);
  const uint32_t start = quote ? static_cast<uint32_t>(static_cast<const char*>(quote) - login) + 1 : 33;
  if (start > loginLength || loginLength - start < kTimeTextLength) return 0;
  char text[kTimeTextLength + 1] = {};
  std::memcpy(text, login + start, kTimeTextLength);
  return static_cast<uint32_t>(static_cast<uint64_t>(scan::ParseDateTime(text, false)));
}

bool parse_login(const char* login, uint32_t loginLength, LoginRecord& record) {
  if (login == nullptr) return true;
  auto& t = record.texts;
  if (auto officers = FindContent(login, loginLength, "Officers")) {
    for (int n = 1; n <= 2; ++n) {
      char name[32] = {};
      std::snprintf(name, sizeof name, "Officer id=\"%d\"", n);
      const auto officer = FindContent(officers->data(), static_cast<uint32_t>(officers->size()), name);
      if (!officer) continue;
      const size_t i = static_cast<size_t>(n - 1);
      StoreContent(t[LoginRecord::kFirstName + i], officer, "First");
      StoreContent(t[LoginRecord::kMiddleName + i], officer, "Middle");
      StoreContent(t[LoginRecord::kLastName + i], officer, "Last");
      StoreContent(t[LoginRecord::kOfficerId + i], officer, "O-ID");
    }
  }
  const std::optional<std::string_view> whole(std::string_view(login, loginLength));
  for (int n = 1; n <= 5; ++n) {
    char name[32] = {};
    std::snprintf(name, sizeof name, "Field id=\"%d\"", n);
    StoreContent(t[LoginRecord::kField + static_cast<size_t>(n - 1)], whole, name);
  }
  return true;
}

bool parse_loginInfo(MetadataEngine& engine, const char* element, uint32_t elementLength, const char* fileName) {
  if (element == nullptr) return false;
  uint32_t contentLength = 0;
  const char* content = scan::GetElementContent(element, elementLength, "LoginInfo", &contentLength);
  if (content == nullptr) return false;
  const char* const end = content + contentLength;
  const char* pos = static_cast<const char*>(std::memchr(content, '<', contentLength));
  while (pos != nullptr) {
    int32_t loginLength = 0;
    const char* login = scan::FindElement(pos, Limit(static_cast<uint32_t>(end - pos)), "Login", &loginLength);
    if (login == nullptr) return false;
    const uint32_t length = static_cast<uint32_t>(loginLength);
    const uint32_t time = login_time(login, length);
    if (time == 0) return false;

    LoginRecord record;
    parse_login(login, length, record);
    if (fileName != nullptr) record.texts[LoginRecord::kFileName] = std::string(fileName);

    // Log-ins of one time are appended to the entry's text in place, so a
    // run of them costs time linear in their total length.
    auto [it, inserted] = engine.logins.try_emplace(time);
    LoginEntry& entry = it->second;
    if (!inserted) entry.text.append("\r\n", 2);
    entry.text.append(login, length);
    entry.records.push_back(std::move(record));

    const char* next = login + length;
    pos = next < end ? static_cast<const char*>(std::memchr(next, '<', static_cast<size_t>(end - next))) : nullptr;
  }
  return true;
}

std::array<char**, LoginRecord::kOfficerTextCount> LoginSlots(_SLOGIN_INFO_OSD& r) {
  return {{&r.field[0], &r.field[1], &r.field[2], &r.field[3], &r.field[4], &r.officerId[0], &r.officerId[1],
           &r.firstName[0], &r.firstName[1], &r.middleName[0], &r.middleName[1], &r.lastName[0], &r.lastName[1]}};
}

// Only the thirteen officer and field texts are copied.  The record's
// fileName pointer is not one of the buffers the caller hands in for this
// query, so it is never written through.
bool outdata_loginInfo_osd(const MetadataEngine& engine, uint64_t time, int32_t sel, _SLOGIN_INFO_OSD* record) {
  if (record == nullptr || (sel != 0 && sel != 1)) return false;
  const uint32_t key = static_cast<uint32_t>(time);
  const bool exact = (time >> 32) == 0;
  const auto it = SeekSample(engine.logins, key, sel, exact);
  if (it == engine.logins.end() || it->second.records.empty()) return false;
  const LoginRecord& first = it->second.records.front();
  const auto slots = LoginSlots(*record);
  for (size_t i = 0; i < slots.size(); ++i) {
    if (first.texts[i]) CopyDisplayText(*slots[i], engine.osdInfoSize, *first.texts[i]);
  }
  record->loginTime = it->first;
  return true;
}

}  // namespace plover
