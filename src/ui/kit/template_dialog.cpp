#include "ui/kit/template_dialog.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_builder.h"

namespace cct {

namespace {

Qt::WindowFlags FlagsOf(const DialogTemplate* dialogTemplate) {
  const uint32_t styles = dialogTemplate ? dialogTemplate->styles : dlg::kCaption;
  if (styles & dlg::kBorder) return Qt::Dialog | Qt::FramelessWindowHint;
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
  if (styles & dlg::kCaption) flags |= Qt::WindowTitleHint;
  if (styles & dlg::kSysMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (styles & dlg::kMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

bool IsEnter(const QKeyEvent& key) {
  if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
  return key.modifiers() == Qt::NoModifier ||
         (key.key() == Qt::Key_Enter && key.modifiers() == Qt::KeypadModifier);
}

}  // namespace

TemplateDialog::TemplateDialog(int templateId)
    : QDialog(nullptr, FlagsOf(FindDialogTemplate(templateId))),
      templateId_(templateId),
      template_(FindDialogTemplate(templateId)),
      units_(font()),
      client_(new QFrame(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(client_);
  if (template_ && (template_->styles & dlg::kBorder)) {
    static_cast<QFrame*>(client_)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    static_cast<QFrame*>(client_)->setLineWidth(2);
  }
}

TemplateDialog::~TemplateDialog() {
  // No control event may reach a window that is being taken apart.
  delete events_;
}

bool TemplateDialog::Create(QWidget* owner) {
  if (created_ || !template_) return false;
  setWindowTitle(QString::fromUtf8(template_->caption));
  BuildControls(client_, *template_, units_);
  const QSize size = ClientSize(*template_, units_);
  if (template_->styles & dlg::kThickFrame) {
    client_->setMinimumSize(size.width() / 2, size.height() / 2);
    resize(size);
  } else {
    client_->setFixedSize(size);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
  if (owner) {
    QWidget* ownerWindow = owner->window();
    ownerWindow->winId();  // the owner's native window must exist to be named
    winId();
    if (windowHandle()) windowHandle()->setTransientParent(ownerWindow->windowHandle());
  }
  events_ = new ControlEventSource(client_, [this](ControlEvent& event) { OnControlEvent(event); });
  created_ = true;
  return OnInitDialog();
}

QWidget* TemplateDialog::GetDlgItem(int id) const {
  return FindDlgItem(client_, id);
}

void TemplateDialog::SetMenuBar(QMenuBar* menuBar) {
  layout()->setMenuBar(menuBar);
}

void TemplateDialog::ShowNormal() {
  showNormal();
  raise();
  activateWindow();
}

int TemplateDialog::exec() {
  ended_ = false;
  if (!created_ && !Create(nullptr)) return QDialog::Rejected;
  if (ended_) return result();
  return QDialog::exec();
}

void TemplateDialog::OnOK() {
  if (isModal()) reject();
}

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
  if (!IsEnter(*event)) {
    QDialog::keyPressEvent(event);
    return;
  }
  // A push button ignores Enter unless it is a default button, so the key
  // comes here from whichever control had the focus.
  event->accept();
  auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
  if (focused && focused->window() == this) {
    focused->click();
    return;
  }
  const auto buttons = client_->findChildren<QPushButton*>();
  for (QPushButton* button : buttons) {
    if (!button->isDefault() || !button->isVisible()) continue;
    if (button->isEnabled()) button->click();
    return;
  }
  OnOK();
}

void TemplateDialog::done(int result) {
  ended_ = true;
  QDialog::done(result);
}

}  // namespace cct
