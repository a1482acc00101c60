#include "ui/service/terminal_dialog.h"

#include "res/templates/resource_ids.h"

namespace cct {

CTerminalDialog::CTerminalDialog(const UiContext& context)
    : CStatusDialog(kIddTerminal, kIdcTerminalStatus, context.ui), context_(context) {}

CTerminalDialog::~CTerminalDialog() = default;

}  // namespace cct
