#pragma once

#include <memory>

namespace cct {

class CCtrlToolDlg;
class UiHost;

// The program's main window on the program's single objects, with the
// Communication dialog kept until the program ends. The composition root
// must be in place.
std::unique_ptr<CCtrlToolDlg> MakeProgramWindow(UiHost& ui);

}  // namespace cct
