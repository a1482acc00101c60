#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "app/ctrl_tool_app.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/program_window.h"
#include "ui/main/ui_host.h"

namespace {

constexpr char kUsage[] =
    "usage: camera-control-tool [--help | --version] [Qt options]\n"
    "Controls a monochrome line-scan camera over its serial line.\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "The preferences and the port map are under $XDG_CONFIG_HOME/Ovreth\n"
    "(default ~/.config/Ovreth); see camera-control-tool(1).\n";

// Answered before Qt starts: they must work without a display (in scripts,
// package checks) and must not create the preferences file.
std::optional<int> AnswerInfoOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
    } else if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("camera-control-tool %s\n", CCT_VERSION);
    } else {
      continue;
    }
    // A full disk or closed pipe is a failure, not an answer.
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = AnswerInfoOption(argc, argv)) return *status;

  cct::UiHost* ui = nullptr;
  cct::CCtrlToolApp app(
      argc, argv,
      [&ui] {
        auto host = std::make_unique<cct::UiHost>();
        ui = host.get();
        return host;
      },
      [&ui] { return cct::MakeProgramWindow(*ui); });
  return app.Run();
}
