#include "DomPeer.h"

#include <cstdio>
#include <ctime>
#include <new>
#include <pugixml.hpp>

namespace plover::bench {
namespace {

// pugixml allocates through operator new, so the peak-memory benchmarks see
// its tree as they see the library's store.
void* PeerAllocate(size_t size) { return ::operator new(size, std::nothrow); }
void PeerRelease(void* pointer) { ::operator delete(pointer); }
const bool kRouted = [] {
  pugi::set_memory_management_functions(PeerAllocate, PeerRelease);
  return true;
}();

// "YYYY/MM/DD hh:mm:ss.mmm" (any separators) as local standard time.
int64_t LocalMillis(const char* text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
  if (std::sscanf(text, "%d%*c%d%*c%d %d:%d:%d.%d", &year, &month, &day, &hour, &minute, &second, &millis) < 6) {
    return -1;
  }
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = 0;
  const std::time_t seconds = std::mktime(&tm);
  return seconds < 0 ? -1 : static_cast<int64_t>(seconds) * 1000 + millis;
}

std::string Text(const pugi::xml_node& node, const char* child) { return node.child(child).child_value(); }

}  // namespace

bool PeerIntake(PeerStore& store, const char* data, size_t length, const std::string& fileName) {
  (void)kRouted;
  pugi::xml_document doc;
  if (!doc.load_buffer(data, length)) return false;

  if (pugi::xml_node recorder = doc.child("V-Info").child("Recorder")) {
    store.recorder[fileName] =
        std::string(recorder.attribute("model").value()) + "/" + recorder.attribute("serial").value();
  }

  const pugi::xml_node finfo = doc.child("F-Info");
  for (pugi::xml_node login : finfo.child("LoginInfo").children("Login")) {
    const int64_t time = LocalMillis(login.attribute("time").value());
    if (time < 0) continue;
    const pugi::xml_node officer = login.child("Officers").child("Officer");
    PeerLogin& entry = store.logins[static_cast<uint64_t>(time / 1000)];
    entry = PeerLogin{Text(officer, "First"), Text(officer, "Middle"), Text(officer, "Last"), Text(officer, "O-ID"),
                      Text(login, "Field")};
  }
  for (pugi::xml_node file : finfo.child("FileList").children("File")) {
    store.documentOfFile.emplace(Text(file, "F-Name"), fileName);
  }

  for (pugi::xml_node index : doc.child("P-Info").children("Index")) {
    const char* ts = index.child_value("TS");
    const int64_t key = LocalMillis(ts);
    if (key < 0) continue;
    PeerSample sample;
    sample.indexNo = index.attribute("no").value();
    sample.ts = ts;
    sample.gStat = Text(index, "G-STAT");
    const pugi::xml_node gps = index.child("GPS");
    sample.latitude = Text(gps, "Latitude");
    sample.longitude = Text(gps, "Longitude");
    sample.altitude = Text(gps, "Altitude");
    sample.own = Text(gps, "Own");
    sample.gpsTs = Text(gps, "GPS_TS");
    sample.satelite = Text(gps, "Satelite");
    for (pugi::xml_node speed : index.child("Radar").children("Speed")) {
      const int id = speed.attribute("id").as_int();
      if (id >= 1 && id <= 5) sample.speed[id - 1] = speed.child_value();
    }
    sample.timeSync = Text(index, "TimeSync");
    sample.rStat = Text(index, "R-STAT");
    for (pugi::xml_node cam : index.children("CAM-STAT")) {
      for (int c = 0; c < 5; ++c) {
        const char name[3] = {'c', static_cast<char>('1' + c), 0};
        if (pugi::xml_attribute on = cam.attribute(name)) {
          sample.camera[c] = PeerCamera{on.value(), cam.attribute("ip").value(), cam.attribute("mac").value(),
                                        cam.attribute("model").value()};
        }
      }
    }
    const pugi::xml_node mic = index.child("MIC-STAT");
    for (int m = 0; m < 3; ++m) {
      const char name[3] = {'a', static_cast<char>('1' + m), 0};
      sample.mic[m] = mic.attribute(name).value();
    }
    sample.aMute = Text(index, "A-Mute");
    sample.cameraIn = Text(index, "CameraIn");
    for (pugi::xml_node temp : index.children("TEMP")) {
      const int id = temp.attribute("id").as_int();
      if (id >= 1 && id <= 2) sample.temp[id - 1] = temp.child_value();
    }
    sample.fileName = fileName;
    store.samples[static_cast<uint64_t>(key)] = std::move(sample);
  }

  store.documents.emplace(fileName, std::string(data, length));
  return true;
}

}  // namespace plover::bench
