// The connected tool between exchanges and during a full read: the CPU an
// idle line costs with the polling timer running, and how long the 29
// queries of a full read take when the window system runs between them.

#include <QCoreApplication>
#include <QTimer>

#include <time.h>

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

#include "private_config_main.h"
#include "protocol/clock.h"
#include "protocol/command.h"
#include "protocol/host.h"
#include "protocol/parameter_table.h"
#include "serial/preferences.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"
#include "ui/kit/qt_polling_timer.h"

namespace {

double CpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The tool's line to the simulated camera on COM1, paced at 9600 bit/s as a
// real camera is, with the command layer's polling timer running.
struct ConnectedLine {
  ConnectedLine() {
    sim::PtyOptions options;
    options.portName = "COM1";
    camera = std::make_unique<sim::PtyCamera>(std::move(options));
    started = camera->Start() && line.Open(cct::kModeComPort, 9600, 0);
    command.StartPolling(timer);
  }
  ~ConnectedLine() {
    timer.Stop();
    line.Close();
  }

  cct::NullHost host;
  cct::NullPreferences preferences;
  cct::SteadyClock clock;
  cct::Timing timing;
  cct::CSerialChannel line{host, preferences, clock};
  cct::Command command{line, host, clock, timing};
  cct::QtPollingTimer timer;
  std::unique_ptr<sim::PtyCamera> camera;
  bool started = false;
};

void BM_IdleCpu(benchmark::State& state) {
  ConnectedLine connected;
  if (!connected.started) return state.SkipWithError("COM1 did not open");
  const int seconds = static_cast<int>(state.range(0));
  double used = 0;
  for (auto _ : state) {
    const double before = CpuSeconds();
    QTimer::singleShot(seconds * 1000, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    used = CpuSeconds() - before;
  }
  state.counters["cpu_percent"] = 100.0 * used / seconds;
}

void BM_FullReadQueries(benchmark::State& state) {
  ConnectedLine connected;
  if (!connected.started) return state.SkipWithError("COM1 did not open");
  // The probe, then the 28 queries a full read of a user-mode camera asks.
  const int commands[] = {cct::kCmdMD, 11, 13, 14, 15, 16, 17, 18, 23, 25, 29, 30, 31, 32, 33,
                          34,          35, 36, 43, 44, 45, 48, 51, 54, 57, 59, 60, 61, 62};
  double totalMs = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int id : commands) {
      int32_t value = 0;
      std::string text;
      const bool answered = id == cct::kCmdMD ? connected.command.QueryText(id, text, 5000)
                                              : connected.command.QueryValue(id, value, 5000);
      if (!answered) return state.SkipWithError("a query was not answered");
      // The full read lets the window system run after each query.
      QCoreApplication::processEvents();
    }
    totalMs +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  state.counters["per_query_ms"] = totalMs / static_cast<double>(state.iterations()) / 29.0;
}

BENCHMARK(BM_IdleCpu)->Arg(10)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_FullReadQueries)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QCoreApplication app(argc, argv);
  return cct::bench::RunInPrivateConfig(argc, argv);
}
