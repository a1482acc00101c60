#include "sim/register_map.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <utility>

#include "protocol/command_table.h"

namespace sim {

namespace {

RegisterSpec Range(int def, int min, int max, Role role = Role::kSetting) {
  RegisterSpec r;
  r.role = role;
  r.defaultValue = def;
  r.min = min;
  r.max = max;
  return r;
}

RegisterSpec List(int def, std::vector<int> allowed, Role role = Role::kSetting) {
  RegisterSpec r = Range(def, 0, 0, role);
  r.allowed = std::move(allowed);
  return r;
}

// Items of a list that are its positions 0..count-1.
RegisterSpec Positions(int count, Role role = Role::kSetting) {
  return Range(0, 0, count - 1, role);
}

RegisterSpec Constant(int value) {
  RegisterSpec r = Range(value, value, value, Role::kNonVolatile);
  r.access = Access::kReadOnly;
  return r;
}

RegisterSpec ReadOut() {
  RegisterSpec r = Range(0, 0, 0, Role::kReadOut);
  r.access = Access::kReadOnly;
  return r;
}

RegisterSpec Action(std::vector<int> allowed) {
  RegisterSpec r = List(0, std::move(allowed), Role::kAction);
  r.access = Access::kWriteOnly;
  return r;
}

RegisterSpec Text(std::string def, size_t maxLength, Access access, Role role) {
  RegisterSpec r;
  r.text = true;
  r.role = role;
  r.access = access;
  r.defaultText = std::move(def);
  r.maxLength = maxLength;
  return r;
}

constexpr int kNoLimit = std::numeric_limits<int>::max();

std::vector<RegisterSpec> Build() {
  const std::vector<int> kBaudBits = {1, 2, 4, 8, 16};
  const Role kNv = Role::kNonVolatile;
  const Access kRo = Access::kReadOnly;
  const Access kRw = Access::kReadWrite;
  const Access kWo = Access::kWriteOnly;

  const std::pair<const char*, RegisterSpec> rows[] = {
      // Housekeeping rows the firmware keeps for its own use.
      {"EB", Positions(2)},
      {"ST", Constant(0)},  // camera status: 0 means no fault
      {"HP", Positions(2)},
      // Identity.
      {"VN", Constant(121)},  // firmware 1.21
      {"PV", Constant(110)},  // FPGA 1.10
      {"ID", Text("Q204012345", 10, kRo, kNv)},
      {"UD", Text("", 16, kRw, kNv)},
      {"DVN", Text("REV-A", 16, kRo, kNv)},
      {"MD", Text("", 16, kRo, Role::kReadOut)},
      {"DV", Text("1.2.0.5", 16, kRo, kNv)},
      {"SBDRT", Constant(31)},  // bit set of the supported CBDRT values
      {"CBDRT", List(1, kBaudBits, kNv)},
      {"CRS00", Action({1})},
      // Trigger and exposure.
      {"TG", Positions(2)},
      {"TI", Positions(2)},
      {"TA", Positions(4)},
      {"ARST", Positions(2)},
      {"EM", Positions(3)},
      {"PE", Range(10000, kExposureMin, kExposureMax)},
      {"ASC", Positions(3)},
      {"ASCEA", Range(kExposureMax, kExposureMin, kExposureMax)},
      {"ASCEI", Range(kExposureMin, kExposureMin, kExposureMax)},
      {"ASRS", Action({0})},  // restarts the automatic exposure loop
      // Line rate: the line period in units of 10 ns, 20000 = 5000 lines/s.
      {"LR", Range(20000, kLinePeriodMin4K, kLinePeriodMax)},
      {"AR", Action({0})},
      {"AL", Range(0, 0, 1023)},
      {"ARMIN", ReadOut()},  // depends on the sensor width
      {"PEMAX", Constant(kExposureMax)},
      {"PEMIN", Constant(kExposureMin)},
      // Image format.
      {"BI", Positions(2)},
      {"HB", List(1, {1, 2})},
      {"HBM", Positions(2)},
      {"BA", Positions(2)},
      {"TAGM", Positions(5)},
      {"CLC", Positions(4)},
      {"TS", Positions(4)},
      // Gain and signal.
      {"GA", Range(100, 100, 6400)},
      {"AGC", Positions(3)},
      {"ALCS", Range(4, 1, 8)},
      {"AGCF", Range(20, 20, 95)},
      {"AGCGA", Range(6400, 101, 6400)},
      {"AGCGI", Range(100, 100, 6399)},
      {"AGRS", Action({0})},  // restarts the automatic gain loop
      {"ABG", Positions(4)},
      {"BL", Range(0, -133, 255)},
      // Corrections; the status rows report the last recalibration.
      {"SDC", Positions(3)},
      {"SDR", Action({0})},
      {"SDS", ReadOut()},
      {"PGC", List(1, {1, 2})},
      {"PGR", Action({0})},
      {"PGS", ReadOut()},
      {"PBC", List(1, {1, 2})},
      {"PBR", Action({0})},
      {"PBS", ReadOut()},
      // LUT and gamma.
      {"LUN", Positions(3)},
      {"LUTI", Range(0, 0, kLutSize - 1, Role::kVolatile)},
      {"LUTD", Range(0, 0, kLutMaxLevel, Role::kReadOut)},
      {"GMA", Range(8, 0, 8)},
      {"TMP0", ReadOut()},
      {"TMPS0", Positions(4)},
      {"LS0", List(0, {0, 1, 4, 5, 6, 7})},
      {"SS", Positions(2)},
      {"MF", Positions(2)},
      // Flash areas.
      {"LD", Action({0, 1, 2, 3})},
      {"SA", Action({1, 2, 3})},
      {"EA", ReadOut()},
      {"SA00", Action({0})},
      {"ST00", Constant(0)},  // factory self-test: 0 means passed
      {"ULCK", Range(0, 0, kNoLimit, Role::kAction)},
      {"ID00", Text("", 10, kWo, Role::kAction)},
      {"MD00", Text("", 16, kWo, Role::kAction)},
      // Factory constants per sensor type.
      {"GA4A00", Range(50, 50, 200, kNv)},
      {"GA4B00", Range(50, 50, 200, kNv)},
      {"GA8K00", Range(50, 50, 200, kNv)},
      {"BL4A00", Range(0, 0, 255, kNv)},
      {"BL4B00", Range(0, 0, 255, kNv)},
      {"BL8K00", Range(0, 0, 255, kNv)},
      {"BAS00", Positions(2, kNv)},
      {"SDR00", Action({0})},
      {"SDS00", ReadOut()},
      {"PGR00", Action({0})},
      {"PGS00", ReadOut()},
      {"PBR00", Action({0})},
      {"PBS00", ReadOut()},
      {"BYP0", Positions(2, kNv)},
      {"XMLVR", Range(101, 0, 999, kNv)},
      {"DV00", Text("", 16, kWo, Role::kAction)},
      {"GA00", Range(50, 50, 200, kNv)},
      {"PGC00", Positions(2, kNv)},
      {"PBC00", Positions(2, kNv)},
  };

  std::vector<RegisterSpec> table(cct::kCommandCount);
  for (const auto& [mnemonic, spec] : rows) {
    const int id = cct::TheCommandTable().Lookup(mnemonic);
    if (id < 0 || table[id].id >= 0) {
      std::fprintf(stderr, "camera register table: bad row %s\n", mnemonic);
      std::abort();
    }
    table[id] = spec;
    table[id].id = id;
    if (spec.role == Role::kAction) table[id].access = Access::kWriteOnly;
  }
  for (int id = 0; id < cct::kCommandCount; ++id) {
    if (table[id].id < 0) {
      std::fprintf(stderr, "camera register table: no row for command %d\n", id);
      std::abort();
    }
  }
  return table;
}

}  // namespace

bool RegisterSpec::Accepts(int value) const {
  if (!allowed.empty()) return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
  return value >= min && value <= max;
}

const std::vector<RegisterSpec>& CameraRegisters() {
  static const std::vector<RegisterSpec> table = Build();
  return table;
}

int RegisterIdOf(const std::string& mnemonic) {
  // A private index: the shared command table is also used by the host side.
  static const std::map<std::string, int> index = [] {
    std::map<std::string, int> m;
    for (int id = 0; id < cct::kCommandCount; ++id) {
      m.emplace(cct::TheCommandTable().MnemonicOf(id), id);
    }
    return m;
  }();
  const auto it = index.find(mnemonic);
  return it == index.end() ? -1 : it->second;
}

int BaudFromBits(int bits) {
  switch (bits) {
    case 1:
      return 9600;
    case 2:
      return 19200;
    case 4:
      return 38400;
    case 8:
      return 57600;
    case 16:
      return 115200;
    default:
      return 0;
  }
}

int BitsFromBaud(int baud) {
  for (int bits = 1; bits <= 16; bits <<= 1) {
    if (BaudFromBits(bits) == baud) return bits;
  }
  return 0;
}

}  // namespace sim
