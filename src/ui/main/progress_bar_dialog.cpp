#include "ui/main/progress_bar_dialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "res/templates/resource_ids.h"
#include "ui/kit/event_pump.h"

namespace cct {

// Template 107. Enables its owner when it goes, whatever the owner's state
// was when it came.
class CProgressBarDialog::ProgressWindow : public TemplateDialog {
 public:
  explicit ProgressWindow(QWidget* owner) : TemplateDialog(kIddProgress), owner_(owner) {}
  ~ProgressWindow() override {
    if (owner_) owner_->setEnabled(true);
  }

  // Neither Escape nor the window system takes it away: only Close does.
  void reject() override {}

  QLabel* MessageText() const { return Item<QLabel>(kIdcProgressMessage); }
  QProgressBar* Bar() const { return Item<QProgressBar>(kIdcProgressBar); }

 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }

 private:
  QPointer<QWidget> owner_;
};

CProgressBarDialog::CProgressBarDialog(const Timing& timing) : timing_(timing) {}

CProgressBarDialog::~CProgressBarDialog() {
  // A window left open goes while Qt still runs.
  if (window_ && QCoreApplication::instance()) delete window_;
}

void CProgressBarDialog::Open(QWidget* owner, const QString& message) {
  if (window_) {
    SetMessage(message);
    window_->Bar()->setValue(0);
    return;
  }
  owner_ = owner ? owner->window() : nullptr;
  if (owner_ && owner_->isEnabled()) owner_->setEnabled(false);

  window_ = new ProgressWindow(owner_);
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->Create(owner_);
  window_->MessageText()->setText(message);
  window_->Bar()->setValue(0);
  window_->adjustSize();
  const QRect around = owner_ && owner_->isVisible() ? owner_->frameGeometry()
                       : window_->screen()           ? window_->screen()->availableGeometry()
                                                     : QRect();
  if (around.isValid()) {
    QRect frame = window_->frameGeometry();
    frame.moveCenter(around.center());
    window_->move(frame.topLeft());
  }
  window_->show();
  // The caller blocks from here on, up to 40 s for a store into flash.
  PaintNow(window_, timing_.exposeWaitMs);
}

void CProgressBarDialog::SetPos(int percent) {
  if (!IsVisible()) return;
  window_->Bar()->setValue(qBound(0, percent, 100));
  window_->repaint();
}

void CProgressBarDialog::SetMessage(const QString& text) {
  if (!window_) return;
  window_->MessageText()->setText(text);
  if (window_->isVisible()) window_->repaint();
}

void CProgressBarDialog::Close() {
  if (!IsVisible()) return;
  window_->Bar()->setValue(100);
  window_->repaint();
  HoldFor(timing_.progressHoldMs);
  delete window_;  // enables the owner
  if (owner_) {
    owner_->raise();
    owner_->activateWindow();
  }
}

QWidget* CProgressBarDialog::Window() const {
  return window_;
}

bool CProgressBarDialog::IsVisible() const {
  return window_ && window_->isVisible();
}

int CProgressBarDialog::Pos() const {
  return window_ ? window_->Bar()->value() : -1;
}

QString CProgressBarDialog::Message() const {
  return window_ ? window_->MessageText()->text() : QString();
}

}  // namespace cct
