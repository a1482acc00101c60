#include "app/ctrl_tool_app.h"

#include <QDialog>
#include <QWidget>

#include "app/preference_store.h"
#include "protocol/shutdown_request.h"

namespace cct {

CCtrlToolApp::CCtrlToolApp(int& argc, char** argv, HostFactory makeHost,
                           MainWindowFactory makeMainWindow)
    : QApplication(argc, argv),
      host_(makeHost()),
      root_(std::make_unique<CompositionRoot>(*host_)),
      makeMainWindow_(std::move(makeMainWindow)),
      signals_([this](int) { EndOnSignal(); }) {
  setOrganizationName(QString::fromLatin1(kSettingsOrganisation));
  setApplicationName(QString::fromLatin1(kSettingsApplication));
}

CCtrlToolApp::~CCtrlToolApp() {
  // Process exit: the single objects go newest first while Qt still runs.
  root_.reset();
}

int CCtrlToolApp::Run() {
  // The store first, so the marker reads 0 from the very start of the run.
  ThePreferenceStore();
  std::unique_ptr<QDialog> window = makeMainWindow_();
  mainWindow_ = window.get();
  // Asked to end during start-up: the window's run is over before it began.
  if (!endRequested_ && !ShutdownRequested()) window->exec();
  mainWindow_ = nullptr;
  window.reset();
  return 0;
}

void CCtrlToolApp::EndOnSignal() {
  endRequested_ = true;
  // Close the open modal boxes and dialogs first, so their loops return, then
  // end the main window without asking.
  for (QWidget* widget : topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog && dialog != mainWindow_ && dialog->isVisible()) dialog->done(QDialog::Rejected);
  }
  if (mainWindow_) {
    mainWindow_->done(QDialog::Rejected);
  } else {
    quit();
  }
}

}  // namespace cct
