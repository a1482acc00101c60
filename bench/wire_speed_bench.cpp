// camera-ctl's exchanges against the wire: one query, a dump's queries (the
// device value and every setting-file row) and a LUT write (256 entries, two
// exchanges each), through the real serial path to the simulated camera on a
// pseudo-terminal paced at 115200 bit/s. Each runs with the window's answer
// step (a look every 20 ms) and with the wait on the line's input that ends
// at the answer's line end; "wire_ms" is the time the bytes of one run need
// on the wire (both ways), "x_wire" how many times that the run took. The
// simulated camera paces only what it sends; the host's bytes reach it at
// once, so a run can take less than its wire time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "lut/camera_setting_file.h"
#include "lut/lut_camera_transfer.h"
#include "private_config_main.h"
#include "protocol/clock.h"
#include "protocol/command.h"
#include "protocol/host.h"
#include "protocol/parameter_table.h"
#include "serial/preferences.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"

namespace {

constexpr int kBaud = 115200;

// Counts the bytes on the wire both ways: every line and its CR LF.
class ByteCountingHost : public cct::NullHost {
 public:
  void LogTerminal(const std::string& line) override { bytes += line.size() - 4 + 2; }
  uint64_t bytes = 0;
};

enum Work { kOneQuery, kDump, kLutWrite };

void BM_WireSpeed(benchmark::State& state) {
  const auto work = static_cast<Work>(state.range(0));
  const bool atLineEnd = state.range(1) != 0;
  sim::PtyOptions options;
  options.portName = "COM1";
  options.engine.baudRate = kBaud;
  sim::PtyCamera camera(std::move(options));
  std::string error;
  if (!camera.Start(&error)) {
    state.SkipWithError(("the simulated camera did not start: " + error).c_str());
    return;
  }
  ByteCountingHost host;
  cct::NullPreferences preferences;
  cct::SteadyClock clock;
  cct::Timing timing;
  // As camera-ctl sets it up.
  timing.answerAtLineEnd = atLineEnd;
  timing.quietCharactersBeforeCommand = atLineEnd ? 3 : 0;
  cct::CSerialChannel line(host, preferences, clock);
  cct::Command command(line, host, clock, timing);
  cct::ParameterTable table(host);
  cct::LutTable lut{};
  for (int k = 0; k < cct::kLutEntries; ++k) lut[k] = static_cast<uint16_t>(k * 16);
  if (!line.Open(cct::kModeComPort, kBaud, 0)) {
    state.SkipWithError("COM1 did not open");
    return;
  }
  uint64_t runs = 0;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    bool ok = true;
    switch (work) {
      case kOneQuery: {
        int32_t value = 0;
        ok = command.QueryValue(cct::kCmdGA, value, 1000);
        break;
      }
      case kDump: {
        std::string device;
        std::vector<int32_t> values(cct::ParameterTable::RowCount(), 0);
        ok = command.QueryText(cct::kCmdDV, device, 1000) &&
             cct::QuerySettingFileValues(command, table, true, false, values, 1000);
        break;
      }
      case kLutWrite:
        ok = cct::WriteLutToCamera(command, lut) == cct::kLutEntries;
        break;
    }
    if (!ok) {
      state.SkipWithError("the camera did not answer");
      break;
    }
    ++runs;
  }
  const double tookMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  line.Close();
  camera.Stop();
  if (runs == 0) return;
  const double wireMs =
      static_cast<double>(host.bytes) / static_cast<double>(runs) * 10.0 * 1000.0 / kBaud;
  state.counters["wire_ms"] = wireMs;
  state.counters["x_wire"] = tookMs / (static_cast<double>(runs) * wireMs);
}

BENCHMARK(BM_WireSpeed)
    ->ArgNames({"work", "at_line_end"})
    ->ArgsProduct({{kOneQuery, kDump, kLutWrite}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return cct::bench::RunInPrivateConfig(argc, argv);
}
