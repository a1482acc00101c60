#pragma once

#include <QDialog>

#include "res/templates/dialog_template.h"
#include "ui/kit/control_events.h"
#include "ui/kit/dialog_units.h"

class QKeyEvent;
class QMenuBar;

namespace cct {

// A top-level window built from a dialog template. As with any dialog, the
// object comes first and the window later: Create builds the controls from
// the template, wires their events to OnControlEvent and runs OnInitDialog.
// An owned window has no Qt parent, so disabling its owner leaves it alone;
// it stays above its owner through the window system's transient hint.
// Windows without a sizing border keep the template's size.
//
// Enter presses the push button that has the focus, otherwise the
// template's default button, otherwise it is the window's OK. No other
// button ever becomes the default: a button the operator did not choose
// never fires because the focus happens to be in an edit box.
class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TemplateDialog(int templateId);
  ~TemplateDialog() override;

  // False when the template does not exist, the window exists already or
  // the initialisation failed.
  bool Create(QWidget* owner = nullptr);
  bool WindowExists() const { return created_; }
  int TemplateId() const { return templateId_; }

  QWidget* GetDlgItem(int id) const;
  template <typename T>
  T* Item(int id) const {
    return qobject_cast<T*>(GetDlgItem(id));
  }
  const DialogUnits& Units() const { return units_; }
  // The widget that holds the controls.
  QWidget* Client() const { return client_; }

  void SetMenuBar(QMenuBar* menuBar);

  // Shown in its normal state (not minimised), raised and active.
  void ShowNormal();

  // Runs the window modally, creating it first when it does not exist.
  // Ending it already during its initialisation ends the run at once.
  int exec() override;
  void done(int result) override;

 protected:
  virtual bool OnInitDialog() { return true; }
  virtual void OnControlEvent(ControlEvent&) {}
  // Enter with no button to press: a modal run ends as by its close box,
  // a modeless window does nothing.
  virtual void OnOK();

  void keyPressEvent(QKeyEvent* event) override;

  ControlEventSource* EventSource() const { return events_; }

 private:
  int templateId_;
  const DialogTemplate* template_;
  DialogUnits units_;
  QWidget* client_;
  ControlEventSource* events_ = nullptr;
  bool created_ = false;
  bool ended_ = false;
};

}  // namespace cct
