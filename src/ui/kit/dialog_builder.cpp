#include "ui/kit/dialog_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include "ui/kit/control_ids.h"
#include "ui/kit/log_list_view.h"
#include "ui/kit/picture_control.h"
#include "ui/kit/tab_control.h"
#include "ui/kit/up_down_control.h"
#include "ui/kit/wheel_focus.h"

namespace cct {

namespace {

bool Has(const ControlTemplate& control, uint32_t style) {
  return (control.styles & style) != 0;
}

QString Text(const char* text) {
  return QString::fromUtf8(text ? text : "");
}

Qt::Alignment TextAlignment(const ControlTemplate& control) {
  if (Has(control, ctl::kCenter)) return Qt::AlignHCenter;
  if (Has(control, ctl::kRight)) return Qt::AlignRight;
  return Qt::AlignLeft;
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* dialog) {
  auto* edit = new QLineEdit(dialog);
  edit->setReadOnly(Has(control, ctl::kReadOnly));
  edit->setAlignment(TextAlignment(control) | Qt::AlignVCenter);
  edit->setFrame(true);
  if (Has(control, ctl::kNumber)) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  return edit;
}

QWidget* MakeUpDown(const ControlTemplate& control, QWidget* dialog, QWidget* previous) {
  auto* spin = new UpDownControl(dialog);
  spin->SetShowsPosInBuddy(Has(control, ctl::kSetBuddyInt));
  spin->SetArrowKeys(Has(control, ctl::kArrowKeys));
  if (Has(control, ctl::kAutoBuddy)) spin->SetBuddy(previous);
  return spin;
}

QWidget* MakeCombo(const ControlTemplate& control, QWidget* dialog) {
  auto* combo = new QComboBox(dialog);
  for (const char* item : control.items) combo->addItem(Text(item));
  // A drop-down list starts with nothing selected until code selects.
  combo->setCurrentIndex(-1);
  TakeWheelOnlyWithFocus(combo);
  return combo;
}

QWidget* MakeButton(const ControlTemplate& control, QWidget* dialog) {
  auto* button = new QPushButton(Text(control.caption), dialog);
  // Only the template names a default button; a focused button would
  // otherwise make itself the default, and a dialog its first button.
  button->setAutoDefault(false);
  button->setDefault(Has(control, ctl::kDefault));
  return button;
}

QWidget* MakeStatic(const ControlTemplate& control, QWidget* dialog) {
  auto* label = new QLabel(Text(control.caption), dialog);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(Has(control, ctl::kMultiLine));
  label->setAlignment(TextAlignment(control) |
                      (Has(control, ctl::kSunken) ? Qt::AlignVCenter : Qt::AlignTop));
  if (Has(control, ctl::kSunken)) label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  return label;
}

QWidget* MakeList(const ControlTemplate& control, QWidget* dialog) {
  auto* list = new QListWidget(dialog);
  for (const char* item : control.items) list->addItem(Text(item));
  if (Has(control, ctl::kNoSelection)) list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setVerticalScrollBarPolicy(Has(control, ctl::kVScroll) ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
  list->setUniformItemSizes(true);
  return list;
}

// No model of its own: the window sets the log's model.
QWidget* MakeLogList(const ControlTemplate& control, QWidget* dialog) {
  auto* list = new LogListView(dialog);
  list->setVerticalScrollBarPolicy(Has(control, ctl::kVScroll) ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
  if (Has(control, ctl::kSunken)) list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  return list;
}

QWidget* MakeProgress(QWidget* dialog) {
  auto* bar = new QProgressBar(dialog);
  bar->setRange(0, 100);
  bar->setValue(0);
  return bar;
}

QWidget* MakePicture(const ControlTemplate& control, QWidget* dialog) {
  auto* picture = new PictureControl(dialog);
  picture->SetBitmap(control.image);
  return picture;
}

// Radio buttons form a group from one with the group style (or the first
// after another kind of control) up to the next such one.
class RadioGroups {
 public:
  explicit RadioGroups(QWidget* dialog) : dialog_(dialog) {}
  void Add(const ControlTemplate& control, QRadioButton* radio) {
    if (!group_ || Has(control, ctl::kGroup)) {
      group_ = new QButtonGroup(dialog_);
      group_->setExclusive(true);
    }
    group_->addButton(radio);
  }
  void Break() { group_ = nullptr; }

 private:
  QWidget* dialog_;
  QButtonGroup* group_ = nullptr;
};

QWidget* MakeControl(const ControlTemplate& control, QWidget* dialog, QWidget* previous,
                     RadioGroups& radios) {
  if (control.kind != ControlKind::RadioButton) radios.Break();
  switch (control.kind) {
    case ControlKind::Edit:
      return MakeEdit(control, dialog);
    case ControlKind::UpDown:
      return MakeUpDown(control, dialog, previous);
    case ControlKind::ComboBox:
      return MakeCombo(control, dialog);
    case ControlKind::PushButton:
      return MakeButton(control, dialog);
    case ControlKind::CheckBox:
      return new QCheckBox(Text(control.caption), dialog);
    case ControlKind::RadioButton: {
      auto* radio = new QRadioButton(Text(control.caption), dialog);
      radios.Add(control, radio);
      return radio;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(Text(control.caption), dialog);
    case ControlKind::Static:
      return MakeStatic(control, dialog);
    case ControlKind::Picture:
      return MakePicture(control, dialog);
    case ControlKind::ListBox:
      return MakeList(control, dialog);
    case ControlKind::LogList:
      return MakeLogList(control, dialog);
    case ControlKind::TabControl:
      return new TabControl(dialog);
    case ControlKind::ProgressBar:
      return MakeProgress(dialog);
    case ControlKind::Custom: {
      auto* frame = new QFrame(dialog);
      if (Has(control, ctl::kSunken)) frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      return frame;
    }
  }
  return new QWidget(dialog);
}

void Place(QWidget* widget, const ControlTemplate& control, const DialogUnits& units) {
  QRect rect = units.Rect(control.x, control.y, control.cx, control.cy);
  if (control.kind == ControlKind::ComboBox) {
    // The template's height is the dropped list's; the closed box is one line.
    rect.setHeight(widget->sizeHint().height());
  }
  widget->setGeometry(rect);
}

// An up-down control at its buddy's right edge takes that much of the
// buddy's width and its height.
void AlignToBuddy(UpDownControl* spin) {
  QWidget* buddy = spin->Buddy();
  if (!buddy) return;
  QRect edit = buddy->geometry();
  const int width = spin->width();
  edit.setWidth(qMax(0, edit.width() - width));
  buddy->setGeometry(edit);
  spin->setGeometry(edit.right() + 1, edit.top(), width, edit.height());
}

}  // namespace

void BuildControls(QWidget* dialog, const DialogTemplate& dialogTemplate,
                   const DialogUnits& units) {
  RadioGroups radios(dialog);
  QWidget* previous = nullptr;
  for (const ControlTemplate& control : dialogTemplate.controls) {
    QWidget* widget = MakeControl(control, dialog, previous, radios);
    SetControlId(widget, control.id);
    Place(widget, control, units);
    if (control.kind == ControlKind::UpDown && Has(control, ctl::kAlignRight)) {
      AlignToBuddy(static_cast<UpDownControl*>(widget));
    }
    if (!Has(control, ctl::kTabStop) && (widget->focusPolicy() & Qt::TabFocus)) {
      widget->setFocusPolicy(Qt::ClickFocus);
    }
    widget->setEnabled(!Has(control, ctl::kDisabled));
    // Hidden explicitly, so showing the dialog leaves it hidden.
    widget->setVisible(Has(control, ctl::kVisible));
    previous = widget;
  }
}

QSize ClientSize(const DialogTemplate& dialogTemplate, const DialogUnits& units) {
  return units.Size(dialogTemplate.cx, dialogTemplate.cy);
}

}  // namespace cct
