#pragma once

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace cct::bench {

// Runs the benchmarks with XDG_CONFIG_HOME on a fresh folder, removed at the
// end: the simulated camera links itself as COM1 into the port map there, so
// the operator's own port map stays untouched.
inline int RunInPrivateConfig(int& argc, char** argv) {
  char pattern[] = "/tmp/cct-bench-XXXXXX";
  const char* folder = ::mkdtemp(pattern);
  if (folder == nullptr) return 1;
  ::setenv("XDG_CONFIG_HOME", folder, 1);
  benchmark::Initialize(&argc, argv);
  int status = 0;
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    status = 1;
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return status;
}

}  // namespace cct::bench
