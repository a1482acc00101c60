#include "ui/main/ctrl_tool_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/control_mode.h"
#include "protocol/command.h"
#include "protocol/command_table.h"
#include "protocol/parameter_table.h"
#include "res/templates/menu_template.h"
#include "res/templates/resource_ids.h"
#include "serial/serial_channel.h"
#include "ui/kit/busy_cursor.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/event_pump.h"
#include "ui/kit/key_pretranslator.h"
#include "ui/kit/menu_builder.h"
#include "ui/kit/pictures.h"
#include "ui/kit/tab_control.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/page_binding.h"
#include "ui/main/tab_sheet_dialog.h"
#include "ui/main/tool_version.h"
#include "ui/main/ui_host.h"
#include "ui/service/communication_dialog.h"
#include "ui/service/terminal_dialog.h"

namespace cct {

namespace {

constexpr char kCloseQuestion[] = "Are you sure to terminate the Camera Control Tool ?";
constexpr char kCloseCaption[] = "Confirm";

constexpr uint32_t kAreaQueryLimitMs = 5000;
constexpr int kUtilityMenuPosition = 2;

struct PageEntry {
  int templateId;
  int factoryOnly;
  const char* caption;
};
constexpr PageEntry kPages[CCtrlToolDlg::kPageCount] = {
    {kIddUserA, 0, "User A"},
    {kIddUserB, 0, "User B"},
    {kIddFactoryA, 1, "Factory A"},
};

// Between the main window and the Communication dialog beside it.
constexpr int kWindowGap = 12;
// The LUT editors sit this far right and down of their default place, times
// their colour index plus one.
constexpr int kLutEditorOffset = 50;

bool IsFactoryMode(const ControlModeHolder& mode) {
  return mode.GetControlMode() == kFactoryMode;
}

}  // namespace

CCtrlToolDlg::CCtrlToolDlg(const UiContext& context, CCommunicationDialog* communication)
    : CStatusDialog(kIddMain, kIdcMainStatus, context.ui), context_(context) {
  setWindowIcon(AppIcon());
  // The program runs this window modally, yet the windows it owns (which
  // have no Qt parent) must stay usable beside it: modal to its own window
  // hierarchy only, which is itself.
  setWindowModality(Qt::WindowModal);
  for (const PageEntry& page : kPages) {
    pages_.push_back(new CTabSheetDialog(page.templateId, page.factoryOnly,
                                         QString::fromLatin1(page.caption), *this));
  }
  // Its construction decides the line's mode after an abnormal end, so it
  // comes before anything opens the line.
  if (!communication) {
    ownCommunication_ = std::make_unique<CCommunicationDialog>(context_);
    communication = ownCommunication_.get();
  }
  communication_ = communication;
  communication_->SetMainWindow(this);
  terminal_ = std::make_unique<CTerminalDialog>(context_);
  for (int colour = 0; colour < 3; ++colour) {
    lutEditors_[colour] = std::make_unique<CLUTDlg>(context_, colour);
  }
  binding_ = std::make_unique<PageBinding>(*this, context_);
  dispatcher_ = binding_.get();
  // Every previous value equals its default from the start.
  context_.parameters.SnapshotValues();
}

CCtrlToolDlg::~CCtrlToolDlg() {
  destroying_ = true;
  delete keyRules_;
  keyRules_ = nullptr;
  pollTimer_.Stop();
  context_.serial.Close();
  terminal_.reset();
  for (auto& editor : lutEditors_) editor.reset();
  // The Communication dialog outlives this window; it is only hidden.
  communication_->SetMainWindow(nullptr);
  communication_->hide();
  ownCommunication_.reset();
  // The pages go while their owner is whole.
  for (CTabSheetDialog* page : pages_) delete page;
  pages_.clear();
  dispatcher_ = nullptr;
  binding_.reset();
}

bool CCtrlToolDlg::OnInitDialog() {
  // The window itself: menu bar and key rules.
  menuBar_ = BuildMenuBar(MainMenuTemplate(), this, [this](int id) { OnCommand(id); });
  SetMenuBar(menuBar_);
  keyRules_ = new KeyPreTranslator(
      this, [this](QWidget* receiver, QKeyEvent& key) { return PreTranslateKey(receiver, key); });

  // Status strip and dialog registry.
  if (!CStatusDialog::OnInitDialog()) return false;

  setWindowTitle(QString::fromLatin1(kToolName) + QStringLiteral("  Ver ") +
                 QString::fromLatin1(kToolVersion));

  // Companion windows.
  context_.command.StartPolling(pollTimer_);
  terminal_->Create(this);
  communication_->Create(this);
  for (auto& editor : lutEditors_) editor->Create(this);
  PlaceCompanionWindows();
  communication_->ShowNormal();

  // Pages.
  TabControl* tabs = Tabs();
  for (CTabSheetDialog* page : pages_) {
    page->CreatePage(tabs);
    page->hide();
  }
  connect(tabs, &TabControl::SelectionChanged, this, [this] { OnTabSelChange(); });

  SetUpControls();
  PutAllValues();

  RebuildPages();
  SetUtilityMenu();
  SendChangedValues();
  context_.parameters.SnapshotValues();
  communication_->ApplyControlModeRules();

  ConnectAtStartUp();

  context_.parameters.SnapshotValues();
  PutAllValues();
  return true;
}

QWidget* CCtrlToolDlg::FindControl(int ctrlId) const {
  for (CTabSheetDialog* page : pages_) {
    if (QWidget* control = page->GetDlgItem(ctrlId)) return control;
  }
  return GetDlgItem(ctrlId);
}

TabControl* CCtrlToolDlg::Tabs() const {
  return Item<TabControl>(kIdcMainTab);
}

QAction* CCtrlToolDlg::UtilityMenu() const {
  if (!menuBar_) return nullptr;
  const QList<QAction*> menus = menuBar_->actions();
  return menus.size() > kUtilityMenuPosition ? menus[kUtilityMenuPosition] : nullptr;
}

void CCtrlToolDlg::RebuildPages() {
  TabControl* tabs = Tabs();
  if (!tabs) return;
  tabs->DeleteAllItems();
  const bool factory = IsFactoryMode(context_.controlMode);
  int next = 0;
  for (int position = 0; position < static_cast<int>(pages_.size()); ++position) {
    CTabSheetDialog* page = pages_[position];
    if (factory || page->FactoryOnly() != 1) {
      tabs->InsertItem(next++, page->Caption(), position);
      page->hide();
    }
  }
  tabs->SetCurSel(0);
  const QRect display = tabs->DisplayRect();
  for (CTabSheetDialog* page : pages_) page->setGeometry(display);
  for (int position = 0; position < static_cast<int>(pages_.size()); ++position) {
    pages_[position]->setVisible(position == 0);
  }
  tabs->update();
}

void CCtrlToolDlg::OnTabSelChange() {
  TabControl* tabs = Tabs();
  const int selected = tabs->GetCurSel();
  if (selected < 0 || selected >= static_cast<int>(pages_.size())) return;
  const qintptr shown = tabs->GetItemData(selected);
  for (int position = 0; position < static_cast<int>(pages_.size()); ++position) {
    pages_[position]->setVisible(position == shown);
  }
}

void CCtrlToolDlg::SetUtilityMenu() {
  QAction* utility = UtilityMenu();
  if (!utility) return;
  const bool enabled = IsFactoryMode(context_.controlMode);
  // The menu widget carries its own state: when the window is disabled and
  // enabled again around a long operation, a menu that was only greyed
  // through its action would come back enabled.
  if (QMenu* menu = utility->menu()) menu->setEnabled(enabled);
  utility->setEnabled(enabled);
}

void CCtrlToolDlg::Dispatch(ControlEvent& event) {
  if (!destroying_ && dispatcher_) dispatcher_->Dispatch(event);
}

void CCtrlToolDlg::OnCommand(int commandId) {
  switch (commandId) {
    case kCmdOpenCameraFile:
      OpenCameraFile();
      break;
    case kCmdSaveAllData:
      SaveAllData();
      break;
    case kCmdSaveShippingData:
      SaveShippingData();
      break;
    case kIdCancel:
      reject();
      break;
    case kCmdReload:
      Reload();
      break;
    case kCmdLoadSettings:
      LoadSettings();
      break;
    case kCmdStoreSettings:
      StoreSettings();
      break;
    case kCmdEditUserId:
      EditUserId();
      break;
    case kCmdEditCameraId:
      EditCameraId();
      break;
    case kCmdOpenLutFile:
      OpenLutFile();
      break;
    case kCmdSaveLutFile:
      SaveLutFile();
      break;
    case kCmdLoadAllLutTables:
      LoadAllLutTables();
      break;
    case kCmdAbout:
      About();
      break;
    case kCmdOpenCommunication:
      ShowCommunication();
      break;
    default:
      break;
  }
}

void CCtrlToolDlg::Reload() {
  int32_t area = 0;
  // The full read runs also when the camera does not say its area.
  if (context_.command.QueryValue(kCmdEA, area, kAreaQueryLimitMs)) currentArea_ = area;
  FullRead();
}

void CCtrlToolDlg::LoadAllLutTables() {
  BusyCursor::Begin();
  setEnabled(false);
  LoadAllTables();
  setEnabled(true);
  BusyCursor::End();
  HoldFor(context_.timing.lutGapMs);
}

void CCtrlToolDlg::SwitchControlMode() {
  ControlModeHolder& mode = context_.controlMode;
  mode.SetControlMode(mode.GetControlMode() == kUserMode ? kFactoryMode : kUserMode);
  RebuildPages();
  SetUtilityMenu();
  SendChangedValues();
  context_.parameters.SnapshotValues();
  communication_->ApplyControlModeRules();
  // The answer only tells whether a camera is there to read.
  int32_t area = 0;
  if (context_.command.QueryValue(kCmdEA, area, kAreaQueryLimitMs)) FullRead();
}

void CCtrlToolDlg::ShowTerminal() {
  terminal_->ShowNormal();
}

void CCtrlToolDlg::ShowCommunication() {
  communication_->ShowNormal();
}

void CCtrlToolDlg::reject() {
  if (!ClosingAfterReset()) {
    const MsgResult answer = Ui().GetPrompter().MessageBox(
        this, QString::fromLatin1(kCloseQuestion), QString::fromLatin1(kCloseCaption),
        MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgResult::Yes) return;
  }
  done(QDialog::Rejected);
}

bool CCtrlToolDlg::PreTranslateKey(QWidget* receiver, QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers();
  const bool shiftAndCtrl =
      modifiers.testFlag(Qt::ShiftModifier) && modifiers.testFlag(Qt::ControlModifier);
  if (keySequence_.OnKeyDown(key.key(), shiftAndCtrl)) SwitchControlMode();

  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  const bool escape = key.key() == Qt::Key_Escape;
  if (!enter && !escape) return false;

  // Swallowing a key is what turns it into F12, a key without a function:
  // neither the default button nor the close request fires.
  if (ComboOfDroppedList(receiver)) {
    if (enter) return false;  // the list takes its highlighted item
    // Escape takes the highlighted item as Enter would.
    QKeyEvent asEnter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(receiver, &asEnter);
    return true;
  }
  switch (ClassOf(receiver)) {
    case ControlClass::Edit:
      if (enter) {
        ControlEvent commit{ControlId(receiver), ControlEventCode::Return, receiver};
        Dispatch(commit);
      }
      return true;
    case ControlClass::ComboBox:
    case ControlClass::PushButton:
    case ControlClass::CheckBox:
    case ControlClass::RadioButton:
      return true;
    case ControlClass::Spin:
    case ControlClass::None:
      break;
  }
  return false;
}

void CCtrlToolDlg::PlaceCompanionWindows() {
  QScreen* screen = this->screen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  adjustSize();
  communication_->adjustSize();

  // Side by side in the middle of the screen when there is room, otherwise
  // the Communication dialog over the main window's right part.
  QRect main(QPoint(), size());
  main.moveCenter(available.center());
  const QSize side = communication_->size();
  QPoint sidePos;
  if (main.width() + kWindowGap + side.width() <= available.width()) {
    main.moveLeft(available.center().x() - (main.width() + kWindowGap + side.width()) / 2);
    sidePos = QPoint(main.right() + kWindowGap, main.top());
  } else {
    sidePos = QPoint(qMax(available.left(), available.right() - side.width()),
                     main.top() + main.height() / 8);
  }
  move(main.topLeft());
  communication_->move(sidePos);

  for (int colour = 0; colour < 3; ++colour) {
    CLUTDlg& editor = *lutEditors_[colour];
    editor.adjustSize();
    QRect place(QPoint(), editor.size());
    place.moveCenter(available.center());
    const int offset = kLutEditorOffset * (colour + 1);
    editor.move(place.topLeft() + QPoint(offset, offset));
  }
}

}  // namespace cct
