#include <cstdio>
#include <cstring>

#include "cli/cli_version.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s\n", cct::CliVersionText());
    return 0;
  }
  std::fprintf(stderr, "camera-ctl: not built yet\n");
  return 3;
}
