#pragma once

#include <QString>
#include <QWidget>

#include "ui/kit/control_events.h"
#include "ui/kit/dialog_units.h"

namespace cct {

class CCtrlToolDlg;

// One parameter page: a child window inside the main window's tab control,
// built from its template. The page hands every control event of its
// controls to its owner's dispatcher; its keys pass the owner's key rules.
class CTabSheetDialog : public QWidget {
  Q_OBJECT

 public:
  // factoryOnly 1: the page is listed only in factory mode.
  CTabSheetDialog(int templateId, int factoryOnly, const QString& caption, CCtrlToolDlg& owner);
  ~CTabSheetDialog() override;

  // Creates the page's window from its template as a child of `parent`;
  // false when the template does not exist or the window exists already.
  bool CreatePage(QWidget* parent);
  bool WindowExists() const { return created_; }

  int TemplateId() const { return templateId_; }
  int FactoryOnly() const { return factoryOnly_; }
  const QString& Caption() const { return caption_; }
  CCtrlToolDlg& Owner() const { return owner_; }

  QWidget* GetDlgItem(int id) const;
  // Wires a control added after creation like the template's own.
  void WireControl(QWidget* control);

 private:
  // Every up-down control leaves its id in its buddy's user data, where the
  // binding finds an edit box's up-down control.
  void LinkSpinsToBuddies();

  int templateId_;
  int factoryOnly_;
  QString caption_;
  CCtrlToolDlg& owner_;
  DialogUnits units_;
  ControlEventSource* events_ = nullptr;
  bool created_ = false;
};

}  // namespace cct
