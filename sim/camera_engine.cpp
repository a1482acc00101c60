#include "sim/camera_engine.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace sim {

namespace {

constexpr const char* kComplete = "COMPLETE";

std::string Trim(const std::string& s) {
  const size_t begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  const size_t end = s.find_last_not_of(" \t\r\n");
  return s.substr(begin, end - begin + 1);
}

enum class Parse { kOk, kBad, kOverflow };

// Decimal only: the host formats integers with "%d".
Parse ParseInt(const std::string& text, int& value) {
  const std::string t = Trim(text);
  if (t.empty()) return Parse::kBad;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range) return Parse::kOverflow;
  if (ec != std::errc() || end != last) return Parse::kBad;
  return Parse::kOk;
}

// A device version is four parts joined by ".", none of them empty.
bool IsDeviceVersion(const std::string& v) {
  if (std::count(v.begin(), v.end(), '.') != 3) return false;
  return v.front() != '.' && v.back() != '.' && v.find("..") == std::string::npos;
}

int IdOf(const char* mnemonic) {
  return RegisterIdOf(mnemonic);
}

const int kIdCBDRT = IdOf("CBDRT");
const int kIdMD = IdOf("MD");
const int kIdDV = IdOf("DV");
const int kIdID = IdOf("ID");
const int kIdLR = IdOf("LR");
const int kIdPE = IdOf("PE");
const int kIdARMIN = IdOf("ARMIN");
const int kIdLUTI = IdOf("LUTI");
const int kIdLUTD = IdOf("LUTD");
const int kIdTMP0 = IdOf("TMP0");
const int kIdTMPS0 = IdOf("TMPS0");
const int kIdEA = IdOf("EA");
const int kIdBAS00 = IdOf("BAS00");
const int kIdCRS00 = IdOf("CRS00");
const int kIdAR = IdOf("AR");
const int kIdLD = IdOf("LD");
const int kIdSA = IdOf("SA");
const int kIdSA00 = IdOf("SA00");
const int kIdULCK = IdOf("ULCK");
const int kIdID00 = IdOf("ID00");
const int kIdMD00 = IdOf("MD00");
const int kIdDV00 = IdOf("DV00");
// Start and status command of each recalibration, in the order of
// CameraEngine::calibrations_.
const std::pair<int, int> kCalibrations[] = {
    {IdOf("SDR"), IdOf("SDS")},     {IdOf("PGR"), IdOf("PGS")},     {IdOf("PBR"), IdOf("PBS")},
    {IdOf("SDR00"), IdOf("SDS00")}, {IdOf("PGR00"), IdOf("PGS00")}, {IdOf("PBR00"), IdOf("PBS00")},
};

std::vector<int> DefaultLut() {
  // A straight line from 0 to full scale: entry k is input level 16 k.
  std::vector<int> lut(kLutSize);
  for (int k = 0; k < kLutSize; ++k)
    lut[k] = (k * kLutMaxLevel + (kLutSize - 1) / 2) / (kLutSize - 1);
  return lut;
}

}  // namespace

CameraEngine::CameraEngine(EngineOptions options) : options_(std::move(options)) {
  baudRate_ = BitsFromBaud(options_.baudRate) != 0 ? options_.baudRate : 9600;
  for (const RegisterSpec& spec : CameraRegisters()) {
    numbers_[spec.id] = spec.defaultValue;
    texts_[spec.id] = spec.defaultText;
  }
  lut_ = DefaultLut();
  // A new camera has its defaults in every area.
  for (int area = 0; area < kAreaCount; ++area) StoreArea(area);
  currentArea_ = BootArea();
}

std::vector<std::string> CameraEngine::HandleLine(const std::string& line, uint64_t nowMs) {
  const std::string text = Trim(line);
  if (text.empty()) return {};  // a bare line end is no command
  // A camera that has locked up after some lines: the line stays open, but
  // nothing more is heard, so nothing changes either.
  if (options_.silentAfterLines >= 0) {
    if (linesHeard_ >= options_.silentAfterLines) return {};
    ++linesHeard_;
  }
  if (options_.silent || Rebooting(nowMs)) return {};
  if (options_.refusedLines.count(text) != 0) return {kErrRefused};
  const size_t op = text.find_first_of("=?");
  if (op == std::string::npos) return {kErrSyntax};
  const std::string mnemonic = Trim(text.substr(0, op));
  if (mnemonic.empty()) return {kErrSyntax};
  const int id = RegisterIdOf(mnemonic);
  if (id < 0) return {kErrUnknown};
  if (options_.refused.count(mnemonic) != 0) return {kErrRefused};
  const RegisterSpec& spec = CameraRegisters()[id];
  if (text[op] == '?') {
    if (op + 1 != text.size()) return {kErrSyntax};
    if (!spec.Readable()) return {kErrWriteOnly};
    if (SilentWhileBusy(spec)) return {};
    return {mnemonic + "=" + Query(spec)};
  }
  return {Write(spec, text.substr(op + 1), nowMs)};
}

uint32_t CameraEngine::AnswerDelayMs(const std::string& line) const {
  if (options_.answerDelayMs.empty()) return 0;
  const std::string text = Trim(line);
  const auto found = options_.answerDelayMs.find(Trim(text.substr(0, text.find_first_of("=?"))));
  return found != options_.answerDelayMs.end() ? found->second : 0;
}

int CameraEngine::BaudRate() const {
  return baudRate_;
}

void CameraEngine::ApplyPendingBaudRate() {
  if (pendingBaud_ != 0) baudRate_ = pendingBaud_;
  pendingBaud_ = 0;
}

bool CameraEngine::GetValue(const std::string& mnemonic, std::string& value) const {
  const int id = RegisterIdOf(mnemonic);
  if (id < 0) return false;
  if (id == kIdMD) {
    value = options_.model;
  } else if (CameraRegisters()[id].text) {
    value = texts_[id];
  } else {
    value = std::to_string(ReadNumber(id));
  }
  return true;
}

bool CameraEngine::SetValue(const std::string& mnemonic, const std::string& value) {
  const int id = RegisterIdOf(mnemonic);
  if (id < 0) return false;
  const RegisterSpec& spec = CameraRegisters()[id];
  if (spec.role == Role::kAction) return false;
  if (id == kIdMD) {
    options_.model = value;
    return true;
  }
  if (spec.text) {
    texts_[id] = value;
    return true;
  }
  int v = 0;
  if (ParseInt(value, v) != Parse::kOk) return false;
  // These two index the LUT and the temperature table.
  if ((id == kIdLUTI || id == kIdTMPS0) && !spec.Accepts(v)) return false;
  if (id == kIdCBDRT) {
    if (BaudFromBits(v) == 0) return false;
    baudRate_ = BaudFromBits(v);
  } else if (id == kIdLUTD) {
    lut_[numbers_[kIdLUTI]] = v;
  } else if (id == kIdTMP0) {
    temperatures_[numbers_[kIdTMPS0]] = v;
  } else if (id == kIdEA) {
    currentArea_ = v;
  } else if (id == kIdARMIN) {
    return false;  // follows the model
  } else if (Calibration* c = CalibrationFor(id)) {
    *c = Calibration{0, v};
  } else {
    numbers_[id] = v;
  }
  return true;
}

bool CameraEngine::SilentWhileBusy(const RegisterSpec& spec) {
  Calibration* c = CalibrationFor(spec.id);
  if (!options_.calibrationSilentWhileBusy || c == nullptr || c->busyPollsLeft <= 0) return false;
  // A camera too busy calibrating to answer; the poll still counts.
  --c->busyPollsLeft;
  return true;
}

std::string CameraEngine::Query(const RegisterSpec& spec) {
  if (spec.id == kIdMD) return options_.model;
  if (spec.text) return texts_[spec.id];
  // A status poll is what lets a running recalibration move on.
  Calibration* c = CalibrationFor(spec.id);
  if (c != nullptr && c->busyPollsLeft > 0) {
    --c->busyPollsLeft;
    return "0";
  }
  return std::to_string(ReadNumber(spec.id));
}

std::string CameraEngine::Write(const RegisterSpec& spec, const std::string& valueText,
                                uint64_t nowMs) {
  if (!spec.Writable()) {
    // Setting files carry the device version; writing back the same text is
    // a check the camera passes, any other text is refused.
    if (spec.id == kIdDV && Trim(valueText) == texts_[kIdDV]) return kComplete;
    return kErrReadOnly;
  }
  if (spec.text) return WriteText(spec, Trim(valueText));
  int v = 0;
  switch (ParseInt(valueText, v)) {
    case Parse::kBad:
      return kErrValue;
    case Parse::kOverflow:
      return kErrRange;
    case Parse::kOk:
      break;
  }
  if (!spec.Accepts(v)) return kErrRange;
  if (spec.role == Role::kAction) return RunAction(spec, v, nowMs);
  if (spec.id == kIdLR && v < LinePeriodMin()) return kErrRange;
  if (spec.id == kIdCBDRT) {
    pendingBaud_ = BaudFromBits(v);
  } else if (spec.id == kIdLUTD) {
    lut_[numbers_[kIdLUTI]] = v;
  } else {
    numbers_[spec.id] = v;
  }
  return kComplete;
}

std::string CameraEngine::WriteText(const RegisterSpec& spec, const std::string& value) {
  if (value.size() > spec.maxLength) return kErrTooLong;
  if (spec.id == kIdID00) {
    // The camera id is written once per unlock.
    if (!unlocked_) return kErrLocked;
    unlocked_ = false;
    if (value.empty()) return kErrValue;
    texts_[kIdID] = value;
  } else if (spec.id == kIdMD00) {
    if (value.empty()) return kErrValue;
    options_.model = value;
  } else if (spec.id == kIdDV00) {
    if (!IsDeviceVersion(value)) return kErrValue;
    texts_[kIdDV] = value;
  } else {
    texts_[spec.id] = value;
  }
  return kComplete;
}

std::string CameraEngine::RunAction(const RegisterSpec& spec, int value, uint64_t nowMs) {
  if (Calibration* c = CalibrationFor(spec.id)) {
    // The recalibration runs while the host polls its status.
    *c = Calibration{std::max(0, options_.calibrationBusyPolls), options_.calibrationResult};
  } else if (spec.id == kIdCRS00) {
    Reboot();
    resetUntilMs_ = nowMs + options_.resetSilenceMs;
  } else if (spec.id == kIdAR) {
    // One push: the shortest line period the present exposure allows.
    const int period = std::max(LinePeriodMin(), numbers_[kIdPE] + kReadoutOverhead);
    numbers_[kIdLR] = std::min(period, kLinePeriodMax);
  } else if (spec.id == kIdLD) {
    LoadArea(value);
    currentArea_ = value;
  } else if (spec.id == kIdSA) {
    StoreArea(value);
    lastStoredUserArea_ = value;
  } else if (spec.id == kIdSA00) {
    StoreArea(0);
  } else if (spec.id == kIdULCK) {
    unlocked_ = value == kUnlockCode;
    if (!unlocked_) return kErrCode;
  }
  // ASRS and AGRS restart automatic loops the simulated sensor does not have.
  return kComplete;
}

int CameraEngine::ReadNumber(int id) const {
  if (id == kIdCBDRT) return BitsFromBaud(baudRate_);
  if (id == kIdARMIN) return LinePeriodMin();
  if (id == kIdLUTD) return lut_[numbers_[kIdLUTI]];
  if (id == kIdTMP0) return temperatures_[numbers_[kIdTMPS0]];
  if (id == kIdEA) return currentArea_;
  for (size_t i = 0; i < std::size(kCalibrations); ++i) {
    if (kCalibrations[i].second == id) {
      const Calibration& c = calibrations_[i];
      return c.busyPollsLeft > 0 ? 0 : c.status;
    }
  }
  return numbers_[id];
}

CameraEngine::Calibration* CameraEngine::CalibrationFor(int id) {
  for (size_t i = 0; i < std::size(kCalibrations); ++i) {
    if (kCalibrations[i].first == id || kCalibrations[i].second == id) return &calibrations_[i];
  }
  return nullptr;
}

int CameraEngine::LinePeriodMin() const {
  // The 8K sensor reads twice the pixels per line.
  return options_.model.find("2080") != std::string::npos ? kLinePeriodMin8K : kLinePeriodMin4K;
}

int CameraEngine::BootArea() const {
  // Boot area "Default" is the factory area; "Update" is the user area most
  // recently stored (User 1 until any is).
  return numbers_[kIdBAS00] == 0 ? 0 : lastStoredUserArea_;
}

void CameraEngine::LoadArea(int area) {
  const SettingSet& set = areas_[area];
  for (const RegisterSpec& spec : CameraRegisters()) {
    if (spec.role == Role::kSetting) numbers_[spec.id] = set.numbers[spec.id];
  }
  lut_ = set.lut;
}

void CameraEngine::StoreArea(int area) {
  areas_[area].numbers = numbers_;
  areas_[area].lut = lut_;
}

void CameraEngine::Reboot() {
  // Flash survives; what lives in RAM starts over from the boot area.
  for (const RegisterSpec& spec : CameraRegisters()) {
    if (spec.role == Role::kVolatile) numbers_[spec.id] = spec.defaultValue;
  }
  for (Calibration& c : calibrations_) c.busyPollsLeft = 0;
  unlocked_ = false;
  pendingBaud_ = 0;
  currentArea_ = BootArea();
  LoadArea(currentArea_);
}

}  // namespace sim
