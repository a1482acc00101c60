#include <memory>

#include "app/ctrl_tool_app.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/program_window.h"
#include "ui/main/ui_host.h"

int main(int argc, char** argv) {
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
