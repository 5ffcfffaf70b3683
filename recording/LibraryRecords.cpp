// The records the library fills once per recording: settings, device, file
// information and log-ins.
#include <algorithm>

#include "recording/Markup.h"
#include "recording/RecordingState.h"

namespace plover {

std::string_view TextBuffers::View(size_t i) const {
  const char* text = &bytes_[i * kTextSize];
  return std::string_view(text, static_cast<size_t>(std::find(text, text + kTextSize, '\0') - text));
}

namespace {

unsigned char* Bytes(std::string& text) { return reinterpret_cast<unsigned char*>(text.data()); }

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

// Points a record's text fields at consecutive buffers, in the order they
// are bound; remembers the first slot of each group.
class Binder {
 public:
  explicit Binder(TextBuffers& texts) : texts_(texts) {}
  size_t Bind(char*& field) {
    field = texts_[next_];
    return next_++;
  }
  size_t Bind(char** fields, size_t count) {
    const size_t first = next_;
    for (size_t i = 0; i < count; ++i) Bind(fields[i]);
    return first;
  }

 private:
  TextBuffers& texts_;
  size_t next_ = 0;
};

void ReadOfficers(const TextBuffers& texts, size_t id, size_t first, size_t middle, size_t last,
                  std::array<Officer, 2>& officers) {
  for (size_t n = 0; n < 2; ++n) {
    officers[n].id = texts.Text(id + n);
    officers[n].first = texts.Text(first + n);
    officers[n].middle = texts.Text(middle + n);
    officers[n].last = texts.Text(last + n);
  }
}

}  // namespace

DocumentSettings ReadSettings(CMetaParser& parser, const std::string& name) {
  DocumentSettings settings;
  TextBuffers texts(139);
  _SF_INFO_OSD r = {};
  Binder bind(texts);
  const size_t zone = bind.Bind(r.timeZoneRule), styleType = bind.Bind(r.styleType), style = bind.Bind(r.style);
  const size_t cameraName = bind.Bind(r.cameraName, 5), osdMaster = bind.Bind(r.osdMaster, 5),
               osdDate = bind.Bind(r.osdDate, 5), osdField = bind.Bind(r.osdField, 5),
               osdTrigger = bind.Bind(r.osdTrigger, 5), osdPos = bind.Bind(r.osdPos, 5),
               optionId = bind.Bind(r.optionFieldId, 10), optionLen = bind.Bind(r.optionLen, 10),
               separator = bind.Bind(r.separatorMark, 5), triggerSw = bind.Bind(r.triggerSw),
               gpiIcon = bind.Bind(r.gpiIcon, 16), gpiRef = bind.Bind(r.gpiRefTrigger, 16),
               speedTriggerSw = bind.Bind(r.speedTriggerSw), sIcon = bind.Bind(r.sTriggerIcon, 5),
               speedUnit = bind.Bind(r.speedUnit), speedType = bind.Bind(r.speedType, 5),
               cameraId = bind.Bind(r.cameraId), aspect = bind.Bind(r.aspect, 5), mode = bind.Bind(r.recordingMode, 5),
               resolution = bind.Bind(r.recordingResolution, 5), bps = bind.Bind(r.recordingBps, 5),
               fps = bind.Bind(r.recordingFps, 5), audioBps = bind.Bind(r.recordingAudioBps, 5),
               fov = bind.Bind(r.fov, 5);
  if (parser.outdata_finfo_osd(name.c_str(), &r) != 1) return settings;
  settings.timeZoneRule = texts.Text(zone);
  settings.styleType = texts.Text(styleType);
  settings.style = texts.Text(style);
  settings.triggerSw = texts.Text(triggerSw);
  settings.speedTriggerSw = texts.Text(speedTriggerSw);
  settings.speedUnit = texts.Text(speedUnit);
  settings.cameraId = texts.Text(cameraId);
  for (size_t n = 0; n < 5; ++n) {
    CameraSettings& camera = settings.cameras[n];
    camera.name = texts.Text(cameraName + n);
    camera.osdMaster = texts.Text(osdMaster + n);
    camera.osdDate = texts.Text(osdDate + n);
    camera.osdField = texts.Text(osdField + n);
    camera.osdTrigger = texts.Text(osdTrigger + n);
    camera.osdPos = texts.Text(osdPos + n);
    camera.separator = texts.Text(separator + n);
    for (size_t m = 0; m < 2; ++m) {
      camera.optionField[m] = texts.Text(optionId + 2 * n + m);
      camera.optionLength[m] = texts.Text(optionLen + 2 * n + m);
    }
    camera.speedType = texts.Text(speedType + n);
    camera.aspect = texts.Text(aspect + n);
    camera.mode = texts.Text(mode + n);
    camera.resolution = texts.Text(resolution + n);
    camera.bps = texts.Text(bps + n);
    camera.fps = texts.Text(fps + n);
    camera.audioBps = texts.Text(audioBps + n);
    camera.fov = texts.Text(fov + n);
    settings.speedTriggerIcons[n] = texts.Text(sIcon + n);
  }
  for (size_t i = 0; i < 16; ++i) {
    settings.inputs[i].icon = texts.Text(gpiIcon + i);
    settings.inputs[i].refTrigger = texts.Text(gpiRef + i);
  }
  return settings;
}

Device ReadDevice(CMetaParser& parser, const std::string& name) {
  Device device;
  // The device section comes back whole; its size is asked first.
  unsigned char probe[1];
  const PMP_LONG needed = parser.outdata_str(name.c_str(), 0, probe, 1);
  if (needed <= 1) return device;
  std::string text(static_cast<size_t>(needed), '\0');
  const PMP_LONG length = parser.outdata_str(name.c_str(), 0, Bytes(text), static_cast<PMP_ULONG>(text.size()));
  if (length <= 0 || length >= needed) return device;
  text.resize(static_cast<size_t>(length));
  device.firmware = Trim(ElementContent(text, "FirmwareVersion"));
  device.model = ElementAttribute(text, "Recorder", "model");
  device.serial = ElementAttribute(text, "Recorder", "serial");
  device.slotCard = ElementAttribute(text, "Slot1", "sd");
  device.slotSerial = ElementAttribute(text, "Slot1", "serial");
  device.wlanMac = ElementAttribute(text, "MACAddress", "wlan0");
  return device;
}

FileInfo ReadFileInfo(CMetaParser& parser, const std::string& path) {
  FileInfo info;
  TextBuffers texts(60);
  _SF_INFO_OSD_MK2 r = {};
  Binder bind(texts);
  const size_t fileName = bind.Bind(r.fileName), gmt = bind.Bind(r.timeZoneGmt), date = bind.Bind(r.osdDate, 2),
               gpio = bind.Bind(r.osdGpio, 2), srcArea = bind.Bind(r.osdSrcArea, 2), style = bind.Bind(r.osdStyle, 2),
               pos = bind.Bind(r.osdPos, 2), officerId = bind.Bind(r.officerId, 2), first = bind.Bind(r.firstName, 2),
               middle = bind.Bind(r.middleName, 2), last = bind.Bind(r.lastName, 2), shift = bind.Bind(r.shiftPattern),
               vId = bind.Bind(r.vId), area = bind.Bind(r.area), unit = bind.Bind(r.unitName),
               agency = bind.Bind(r.agency), gpioSwitch = bind.Bind(r.gpioSwitch), icon = bind.Bind(r.asnIcon, 16),
               iconSwitch = bind.Bind(r.asnIconSwitch, 16), speedUnit = bind.Bind(r.rSpeedUnit),
               zone = bind.Bind(r.timeZone);
  if (parser.outdata_finfo_osd_mk2(path.c_str(), &r) != 1) return info;
  info.fileName = texts.Text(fileName);
  info.timeZoneGmt = texts.Text(gmt);
  info.timeZone = texts.Text(zone);
  for (size_t n = 0; n < 2; ++n) {
    info.streams[n] = {texts.Text(date + n), texts.Text(gpio + n), texts.Text(srcArea + n), texts.Text(style + n),
                       texts.Text(pos + n)};
  }
  ReadOfficers(texts, officerId, first, middle, last, info.officers);
  info.shiftPattern = texts.Text(shift);
  info.vId = texts.Text(vId);
  info.area = texts.Text(area);
  info.unitName = texts.Text(unit);
  info.agency = texts.Text(agency);
  info.gpioSwitch = texts.Text(gpioSwitch);
  info.speedUnit = texts.Text(speedUnit);
  for (size_t i = 0; i < 16; ++i) {
    info.inputIcons[i] = texts.Text(icon + i);
    info.inputIconSwitches[i] = texts.Text(iconSwitch + i);
  }
  return info;
}

std::vector<Login> ReadLogins(CMetaParser& parser) {
  std::vector<Login> logins;
  uint64_t next = 0;
  while (next <= UINT32_MAX) {
    TextBuffers texts(14);
    _SLOGIN_INFO_OSD r = {};
    Binder bind(texts);
    const size_t fields = bind.Bind(r.field, 5), id = bind.Bind(r.officerId, 2), first = bind.Bind(r.firstName, 2),
                 middle = bind.Bind(r.middleName, 2), last = bind.Bind(r.lastName, 2), fileName = bind.Bind(r.fileName);
    if (parser.outdata_loginInfo_osd(next, 0, &r) != 1) break;
    Login login;
    for (size_t i = 0; i < 5; ++i) login.fields[i] = texts.Text(fields + i);
    ReadOfficers(texts, id, first, middle, last, login.officers);
    login.fileName = texts.Text(fileName);
    login.key = r.loginTime;
    logins.push_back(std::move(login));
    next = r.loginTime + 1;
  }
  return logins;
}

}  // namespace plover
