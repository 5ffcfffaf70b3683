// The first-generation document intake as an application would write it
// without this library: a DOM parse, then a walk that pulls the same sample
// fields, keys and display texts into ordered maps.  The yardstick of the
// document intake benchmarks.
#ifndef PLOVER_BENCH_DOMPEER_H
#define PLOVER_BENCH_DOMPEER_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace plover::bench {

struct PeerCamera {
  std::string on, ip, mac, model;
};

// Every field the library keeps of a sample, as contents.
struct PeerSample {
  std::string indexNo, ts, gStat;
  std::string latitude, longitude, altitude, own, gpsTs, satelite;
  std::string speed[5];
  std::string timeSync, rStat;
  PeerCamera camera[5];
  std::string mic[3];
  std::string aMute, cameraIn, temp[2];
  std::string fileName;
};

struct PeerLogin {
  std::string first, middle, last, id, field;
};

struct PeerStore {
  std::map<uint64_t, PeerSample> samples;  // local time in milliseconds
  std::map<uint64_t, PeerLogin> logins;    // local time in seconds
  std::map<std::string, std::string> documentOfFile;
  std::map<std::string, std::string> recorder;   // model and serial by document
  std::map<std::string, std::string> documents;  // a copy of each document
};

// Takes in one document under `fileName`; false when it does not parse.
bool PeerIntake(PeerStore& store, const char* data, size_t length, const std::string& fileName);

}  // namespace plover::bench

#endif
