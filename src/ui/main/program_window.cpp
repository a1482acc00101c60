#include "ui/main/program_window.h"

#include "app/composition_root.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/ui_context.h"
#include "ui/service/communication_dialog.h"

namespace cct {

std::unique_ptr<CCtrlToolDlg> MakeProgramWindow(UiHost& ui) {
  const UiContext context = ProgramContext(ui);
  // The Communication dialog lives until the program ends, beyond the main
  // window that shows it.
  auto& communication =
      CompositionRoot::Current()->Keep(std::make_unique<CCommunicationDialog>(context));
  return std::make_unique<CCtrlToolDlg>(context, &communication);
}

}  // namespace cct
