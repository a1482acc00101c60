// One command exchange, GA? answered GA=n, through the real serial path:
// termios, the receive thread and the ring, against the simulated camera on
// a pseudo-terminal, with the camera's output paced at 9600 bit/s and not.

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <string>

#include "private_config_main.h"
#include "protocol/clock.h"
#include "protocol/command.h"
#include "protocol/host.h"
#include "serial/preferences.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"

namespace {

void BM_QueryValue(benchmark::State& state) {
  sim::PtyOptions options;
  options.portName = "COM1";
  options.pace = state.range(0) != 0;
  sim::PtyCamera camera(std::move(options));
  std::string error;
  if (!camera.Start(&error)) {
    state.SkipWithError(("the simulated camera did not start: " + error).c_str());
    return;
  }
  {
    cct::NullHost host;
    cct::NullPreferences preferences;
    cct::SteadyClock clock;
    cct::Timing timing;
    cct::CSerialChannel line(host, preferences, clock);
    cct::Command command(line, host, clock, timing);
    if (!line.Open(cct::kModeComPort, 9600, 0)) {
      state.SkipWithError("COM1 did not open");
    } else {
      for (auto _ : state) {
        int32_t value = 0;
        if (!command.QueryValue(cct::kCmdGA, value, 1000)) {
          state.SkipWithError("GA? was not answered");
          break;
        }
        benchmark::DoNotOptimize(value);
      }
    }
    line.Close();
  }
  camera.Stop();
}

BENCHMARK(BM_QueryValue)
    ->ArgName("pace")
    ->Arg(1)
    ->Arg(0)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return cct::bench::RunInPrivateConfig(argc, argv);
}
