#include <memory>

#include "app/composition_root.h"
#include "app/ctrl_tool_app.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/ui_context.h"
#include "ui/main/ui_host.h"
#include "ui/service/communication_dialog.h"

int main(int argc, char** argv) {
  cct::UiHost* ui = nullptr;
  cct::CCtrlToolApp app(
      argc, argv,
      [&ui] {
        auto host = std::make_unique<cct::UiHost>();
        ui = host.get();
        return host;
      },
      [&ui] {
        const cct::UiContext context = cct::ProgramContext(*ui);
        // The Communication dialog lives until the program ends, beyond the
        // main window that shows it.
        auto& communication = cct::CompositionRoot::Current()->Keep(
            std::make_unique<cct::CCommunicationDialog>(context));
        return std::make_unique<cct::CCtrlToolDlg>(context, &communication);
      });
  return app.Run();
}
