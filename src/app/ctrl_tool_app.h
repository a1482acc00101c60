#pragma once

#include <QApplication>
#include <QPointer>

#include <functional>
#include <memory>

#include "app/composition_root.h"
#include "app/shutdown_signals.h"

class QDialog;

namespace cct {

// The application: sets the names the stored preferences live under, runs
// the main window modally as the only top-level window, and ends when that
// window closes. SIGTERM, SIGINT and SIGHUP end it the same way, without any
// confirmation. The program's single objects are destroyed, newest first,
// when the application object goes, so a normal end writes the preferences
// and the normal-shutdown marker last.
//
// The window layer lies above this one, so the program hands in how to make
// the host the lower layers call and how to make the main window.
class CCtrlToolApp : public QApplication {
 public:
  using HostFactory = std::function<std::unique_ptr<Host>()>;
  using MainWindowFactory = std::function<std::unique_ptr<QDialog>()>;

  // `makeHost` runs once, before the single objects exist; `makeMainWindow`
  // when the run starts.
  CCtrlToolApp(int& argc, char** argv, HostFactory makeHost, MainWindowFactory makeMainWindow);
  ~CCtrlToolApp() override;

  // The instance initialisation: makes the main window, runs it modally and
  // destroys it. Returns the process exit code.
  int Run();

 private:
  void EndOnSignal();

  std::unique_ptr<Host> host_;  // declared first: outlives the single objects
  std::unique_ptr<CompositionRoot> root_;
  MainWindowFactory makeMainWindow_;
  ShutdownSignals signals_;
  QPointer<QDialog> mainWindow_;
  bool endRequested_ = false;
};

}  // namespace cct
