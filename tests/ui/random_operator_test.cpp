// An operator who never stops: the program's own window on a simulated
// camera behind a real pseudo-terminal, driven by random keys, clicks, list
// picks, typed text and wheel turns while the camera's faults come and go.
// It fails on a line on the wire that no action asked for, a window thread
// that does not run for 10 s, and memory or windows that keep growing; a
// crash or a sanitizer report ends the run by itself. Every run prints its
// seed; CCT_OPERATOR_SEED and CCT_OPERATOR_SECONDS replay or lengthen it.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "app/composition_root.h"
#include "protocol/command_table.h"
#include "protocol/parameter_table.h"
#include "res/templates/menu_template.h"
#include "res/templates/page_ids.h"
#include "res/templates/resource_ids.h"
#include "sim/pty_camera.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/tab_control.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/factory_key_sequence.h"
#include "ui/main/program_window.h"
#include "ui/service/communication_dialog.h"
#include "ui/service/terminal_dialog.h"
#include "ui_fixture.h"
#include "window_system.h"

namespace cct {
namespace {

using Clock = std::chrono::steady_clock;
using Words = std::set<std::string>;

unsigned EnvNumber(const char* name, unsigned fallback) {
  bool ok = false;
  const unsigned value = qEnvironmentVariable(name).toUInt(&ok);
  return ok ? value : fallback;
}

// The program's windows: every dialog is a top-level window of its own.
qsizetype Dialogs() {
  qsizetype count = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) count += qobject_cast<QDialog*>(w) != nullptr;
  return count;
}

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Aborts the process, seed first, when the window thread stops taking its
// beats: no blocking exchange may keep the window frozen that long.
class Watchdog {
 public:
  explicit Watchdog(unsigned seed) : seed_(seed), thread_([this] { Watch(); }) {
    QObject::connect(&beat_, &QTimer::timeout, [this] { Beat(); });
    beat_.start(100);
  }
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_one();
    thread_.join();
  }

 private:
  void Beat() { last_ = Clock::now().time_since_epoch().count(); }
  void Watch() {
    std::unique_lock lock(mutex_);
    while (!changed_.wait_for(lock, std::chrono::milliseconds(500), [this] { return stop_; })) {
      if (Clock::now() - Clock::time_point(Clock::duration(last_.load())) >
          std::chrono::seconds(10)) {
        fprintf(stderr, "The window thread did not run for 10 s (seed %u)\n", seed_);
        std::abort();
      }
    }
  }

  unsigned seed_;
  std::atomic<Clock::rep> last_{Clock::now().time_since_epoch().count()};
  QTimer beat_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stop_ = false;
  std::thread thread_;
};

// Answers every box and file dialog at random; only the question before
// closing is always No, so the run goes on.
class RandomPrompter : public Prompter {
 public:
  RandomPrompter(std::mt19937& random, QString folder) : random_(random), folder_(folder) {}
  MsgResult MessageBox(QWidget*, const QString& text, const QString&, MsgIcon,
                       MsgButtons buttons) override {
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    if (text.contains(QLatin1String("terminate"))) return MsgResult::No;
    return random_() % 2 ? MsgResult::Yes : MsgResult::No;
  }
  FileDialogResult FileDialog(QWidget*, const FileDialogRequest& request) override {
    // Files the run wrote, a missing one, the folder itself (to save into or
    // to open), or cancel.
    const QString names[] = {"a." + request.defaultSuffix, "b." + request.defaultSuffix, "none.cam",
                             ""};
    const unsigned pick = random_() % 6;
    if (pick >= std::size(names)) return {};
    return {kFileDialogOk, folder_ + "/" + names[pick]};
  }
  bool OpenDocument(const QString&) override { return true; }

 private:
  std::mt19937& random_;
  QString folder_;
};

constexpr char kNoLine[] = "\x01";  // no line the camera hears

// What one action may put on the wire: queries, the writes of some
// mnemonics, any parameter (a setting file), or one exact line.
struct Allowance {
  explicit Allowance(std::string action, bool anyQuery = true)
      : what(std::move(action)), queries(anyQuery) {}
  std::string what;
  Words writes;
  bool queries;
  bool anyParameter = false;
  std::string exact = kNoLine;
};

// The writes of the buttons whose work is a camera command.
const std::map<int, Words>& ButtonWrites() {
  static const std::map<int, Words> writes = {
      {kIdcOnePush, {"AR"}},
      {kIdcLutRead, {"LUTI"}},
      {kIdcLutWrite, {"LUTI", "LUTD"}},
      {kIdcRecalShading, {"SDR"}},
      {kIdcRecalPixelGain, {"PGR"}},
      {kIdcRecalPixelBlack, {"PBR"}},
      {kIdcFactoryRecalShading, {"SDR00"}},
      {kIdcFactoryRecalPixelGain, {"PGR00"}},
      {kIdcFactoryRecalPixelBlack, {"PBR00"}},
      {kIdcSetCameraModel, {"MD00"}},
      {kIdcXmlWrite, {"XMLVR"}},
      {kIdcStoreAll, {"SA", "SA00"}},
  };
  return writes;
}

const std::map<int, Words>& MenuWrites() {
  static const std::map<int, Words> writes = {
      {kCmdStoreSettings, {"SA", "SA00"}},
      {kCmdLoadSettings, {"LD"}},
      {kCmdEditUserId, {"UD"}},
      {kCmdEditCameraId, {"ULCK", "ID00"}},
      {kCmdSaveLutFile, {"LUTI"}},
      {kCmdLoadAllLutTables, {"LUTI", "LUTD"}},
      {kCmdAbout, {"UD", "DV00"}},
  };
  return writes;
}

class RandomOperatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgramTiming();
    ProgramTiming().answerPollMs = 2;
    ProgramTiming().progressHoldMs = 20;
    ProgramTiming().calibrationPauseMs = 5;
    ProgramTiming().storeAllGapMs = 1;
    ProgramTiming().lutGapMs = 0;
    sim::PtyOptions options;
    options.portName = "COM1";
    options.pace = false;
    camera = std::make_unique<sim::PtyCamera>(options);
    ASSERT_TRUE(camera->Start());
    root = std::make_unique<CompositionRoot>(ui);
    window = MakeProgramWindow(ui);
  }
  void TearDown() override {
    window.reset();
    root.reset();
    ProgramTiming() = saved_;
  }

  // The control's own command when it is a page's bound control.
  std::string RowMnemonic(const QWidget* control) const {
    if (!control || control->window() != window.get()) return {};
    int id = ControlId(control);
    if (ClassOf(control) == ControlClass::Spin) {
      if (auto* buddy = static_cast<const UpDownControl*>(control)->Buddy()) id = ControlId(buddy);
    }
    const ParameterTable& table = window->Context().parameters;
    for (int i = 0; i < ParameterTable::RowCount(); ++i) {
      if (table.Row(i).ctrlId == id) return TheCommandTable().MnemonicOf(table.Row(i).cmdId);
    }
    return {};
  }
  // What a setting file may send: its model and device version lines too.
  Words ParameterMnemonics() const {
    Words all = {"MD00", "DV"};
    const ParameterTable& table = window->Context().parameters;
    for (int i = 0; i < ParameterTable::RowCount(); ++i) {
      all.insert(TheCommandTable().MnemonicOf(table.Row(i).cmdId));
    }
    return all;
  }

  bool Allowed(const std::string& line) const {
    const size_t equals = line.find('=');
    const std::string mnemonic = line.substr(0, equals);
    const auto allows = [&](const Allowance& a) {
      if (line == a.exact) return true;
      if (equals == std::string::npos) return a.queries && !line.empty() && line.back() == '?';
      return a.writes.count(mnemonic) || (a.anyParameter && parameterMnemonics.count(mnemonic)) ||
             pending.count(mnemonic);
    };
    return std::any_of(stack.begin(), stack.end(), allows) ||
           std::any_of(ended.begin(), ended.end(), allows);
  }
  // Lines the camera heard since the last look, each asked for by an action
  // under way or one just ended (a long line at the rate, or a slow camera
  // thread, lets the camera hear it an action or two later).
  void CheckWire() {
    const std::vector<std::string> heard = camera->ReceivedLines();
    for (; checked < heard.size(); ++checked) {
      if (Allowed(heard[checked])) continue;
      ADD_FAILURE() << "\"" << heard[checked] << "\" after " << ended.back().what
                    << (stack.empty() ? "" : ", during " + stack.back().what) << " (seed " << seed
                    << ")";
      failed = true;
    }
  }

  // Every operator action goes through here.
  template <typename Act>
  void Do(Allowance allowance, Act act) {
    CheckWire();
    // A changed value the camera refused stays pending and goes out with the
    // next change; the page edit left by this action commits as it goes.
    pending.clear();
    const ParameterTable& table = window->Context().parameters;
    for (int i = 0; i < ParameterTable::RowCount(); ++i) {
      if (table.Row(i).current != table.Row(i).previous) {
        pending.insert(TheCommandTable().MnemonicOf(table.Row(i).cmdId));
      }
    }
    if (const std::string left = RowMnemonic(QApplication::focusWidget()); !left.empty()) {
      allowance.writes.insert(left);
    }
    if (trace) fprintf(stderr, "%d: %s\n", actions, allowance.what.c_str());
    stack.push_back(allowance);
    act();
    CheckWire();
    ended.push_back(stack.back());
    if (ended.size() > 3) ended.pop_front();
    stack.pop_back();
    ++actions;
  }

  unsigned Pick(unsigned n) { return n ? random() % n : 0; }
  template <typename T>
  T* PickOf(const QList<T*>& list) {
    return list.isEmpty() ? nullptr : list[static_cast<int>(Pick(list.size()))];
  }

  // The window the operator can reach: a modal dialog, or any shown one.
  QWidget* Target() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window.get()) return modal;
    QList<QWidget*> shown;
    for (QWidget* w :
         QList<QWidget*>{window.get(), &window->Communication(), &window->Terminal(),
                         &window->LutEditor(0), &window->LutEditor(1), &window->LutEditor(2)}) {
      if (w->isVisible() && w->isEnabled()) shown << w;
    }
    return PickOf(shown);
  }
  QList<QWidget*> Controls(QWidget* target, bool (*wanted)(const QWidget*)) const {
    QList<QWidget*> found;
    for (QWidget* w : target->findChildren<QWidget*>()) {
      if (ControlId(w) != -1 && w->isVisible() && w->isEnabled() && wanted(w) &&
          !excluded.count(ControlId(w))) {
        found << w;
      }
    }
    return found;
  }

  // What Send puts on the wire: the field's bytes.
  std::string TerminalLine() const {
    return window->Terminal().Item<QLineEdit>(kIdcTermCommand)->text().toLatin1().toStdString();
  }
  // Valid, out of range and odd.
  QString TypedText() {
    const QString texts[] = {"0",   "1",    "100",   "4095",   "-1",   "99999999999",
                             "abc", " 12 ", "1e3",   "\u00b5", "%s%n", QString(300, '7'),
                             "",    "GA?",  "LINE-7"};
    return texts[Pick(std::size(texts))];
  }

  void ToggleFault() {
    camera->WithEngine([this](sim::CameraEngine& engine) {
      sim::EngineOptions& o = engine.MutableOptions();
      const std::string some[] = {"GA", "TG", "SA", "LD", "LUTD", "UD", "EA", "MD", "SDS"};
      o.refused.clear();
      o.answerDelayMs.clear();
      if (Pick(2)) o.refused.insert(some[Pick(std::size(some))]);
      if (Pick(2)) o.answerDelayMs[some[Pick(std::size(some))]] = 1 + Pick(150);
      o.calibrationResult = 1 + static_cast<int>(Pick(5));
      o.calibrationBusyPolls = static_cast<int>(Pick(4));
    });
  }

  // What acting on the control may send.
  Allowance For(const std::string& what, QWidget* control);
  void OneAction();
  void Tick();

  test::UiTempConfig config;  // first: the port map and settings live in it
  unsigned seed = EnvNumber("CCT_OPERATOR_SEED", 1);
  std::mt19937 random{seed};
  RandomPrompter prompter{random, qEnvironmentVariable("XDG_CONFIG_HOME")};
  Timing uiTiming = test::ShortTiming();
  UiHost ui{uiTiming, &prompter};
  std::unique_ptr<sim::PtyCamera> camera;
  std::unique_ptr<CompositionRoot> root;
  std::unique_ptr<CCtrlToolDlg> window;
  Words parameterMnemonics;
  Words pending;
  std::vector<Allowance> stack;
  std::deque<Allowance> ended{Allowance("start-up")};
  size_t checked = 0;
  int actions = 0;
  const bool trace = qEnvironmentVariableIsSet("CCT_OPERATOR_TRACE");  // each action to stderr
  bool failed = false;
  // Controls left out: they change or end the line (another baud rate makes
  // every exchange wait out its limit, up to 40 s, as it should) or the run.
  std::set<int> excluded = {kIdcCommCategory, kIdcCommPortName, kIdcCommBaudRate, kIdcCommAuto,
                            kIdcCameraReset};
  std::vector<QWidget*> modalAtDepth;
  QObject hands;  // the ticks' context: they end with the test
  QElapsedTimer running;
  qint64 runMs = 0;

 private:
  Timing saved_;
};

bool IsButton(const QWidget* w) {
  const ControlClass c = ClassOf(w);
  return c == ControlClass::PushButton || c == ControlClass::CheckBox ||
         c == ControlClass::RadioButton;
}
bool IsCombo(const QWidget* w) {
  return ClassOf(w) == ControlClass::ComboBox;
}
bool IsEdit(const QWidget* w) {
  return ClassOf(w) == ControlClass::Edit && !static_cast<const QLineEdit*>(w)->isReadOnly();
}
bool IsSpin(const QWidget* w) {
  return ClassOf(w) == ControlClass::Spin;
}
bool IsWheelTarget(const QWidget* w) {
  return (IsCombo(w) || IsSpin(w)) && !w->hasFocus();
}

Allowance RandomOperatorTest::For(const std::string& what, QWidget* control) {
  const int id = ControlId(control);
  Allowance a(what + " " + std::to_string(id));
  QWidget* top = control->window();
  if (top == window.get()) {
    if (auto it = ButtonWrites().find(id); it != ButtonWrites().end()) a.writes = it->second;
    if (const std::string own = RowMnemonic(control); !own.empty()) a.writes.insert(own);
  } else if (top == &window->Communication()) {
    if (id == kIdcCommStore) a.writes = {"SA", "SA00"};
    if (id == kIdcCommLoad) a.writes = {"LD"};
    a.anyParameter = id == kIdcCommReadFile;
  } else if (top == &window->Terminal()) {
    if (id == kIdcTermSend || id == kIdcTermCommand) a.exact = TerminalLine();
  } else if (qobject_cast<CLUTDlg*>(top)) {
    a.writes = {"LUTI", "LUTD"};
  } else {
    // The identity dialogs; the area selection's writes belong to its menu command.
    a.writes = {"UD", "DV00", "ULCK", "ID00"};
  }
  return a;
}

void RandomOperatorTest::OneAction() {
  QWidget* target = Target();
  if (!target) return;
  const unsigned kind = Pick(100);
  if (kind < 30) {
    if (QWidget* button = PickOf(Controls(target, IsButton))) {
      Do(For("a click on", button), [&] { QTest::mouseClick(button, Qt::LeftButton); });
    }
  } else if (kind < 45) {
    auto* combo = static_cast<QComboBox*>(PickOf(Controls(target, IsCombo)));
    if (!combo) return;
    // Opened with a click, walked with the arrow keys, taken or left.
    Do(For("a pick in", combo), [&] {
      QTest::mouseClick(combo, Qt::LeftButton);
      for (unsigned i = Pick(4); i > 0; --i) {
        QTest::keyClick(combo->view(), Pick(2) ? Qt::Key_Down : Qt::Key_Up);
      }
      QTest::keyClick(combo->view(), Pick(3) ? Qt::Key_Return : Qt::Key_Escape);
      combo->hidePopup();
    });
  } else if (kind < 65) {
    QWidget* edit = PickOf(Controls(target, IsEdit));
    if (!edit) return;
    const QString text = TypedText();
    const Qt::Key end =
        std::array{Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_unknown}[Pick(4)];
    Allowance a = For("typing \"" + text.toStdString() + "\" into", edit);
    if (target == &window->Terminal())
      a.exact = end == Qt::Key_Return ? text.toLatin1().toStdString() : kNoLine;
    Do(a, [&] {
      QTest::mouseClick(edit, Qt::LeftButton);
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(edit, Qt::Key_Backspace);
      QTest::keyClicks(edit, text);
      if (end != Qt::Key_unknown) QTest::keyClick(edit, end);
    });
  } else if (kind < 72) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != target) focus = target;
    const Qt::Key key = std::array{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,
                                   Qt::Key_Space}[Pick(5)];
    Allowance a = For("a key on", focus);
    // The terminal's default button is Send: Enter anywhere in it sends the field.
    if (focus->window() == &window->Terminal() && (key == Qt::Key_Return || key == Qt::Key_Enter))
      a.exact = TerminalLine();
    Do(a, [&] {
      QTest::keyClick(focus, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    });
  } else if (kind < 80) {
    QList<QWidget*> targets = Controls(target, IsWheelTarget);
    if (target == window.get()) targets << window->Tabs()->Bar();
    QWidget* control = PickOf(targets);
    if (!control || control->hasFocus()) return;
    Do(Allowance("a wheel over " + std::to_string(ControlId(control)), false),
       [&] { test::WheelNotch(control, Pick(2)); });
  } else if (kind < 87) {
    if (QApplication::activeModalWidget() != window.get()) return;
    QList<QAction*> items;
    for (QAction* menu : window->MenuBar()->actions()) {
      if (!menu->isEnabled() || !menu->menu()) continue;
      for (QAction* item : menu->menu()->actions())
        items << (item->menu() ? item->menu()->actions() : QList{item});
    }
    QAction* item = PickOf(items);
    const int id = item && item->isEnabled() ? item->data().toInt() : kIdCancel;
    if (id == kIdCancel || item->isSeparator()) return;
    Allowance a("menu command " + std::to_string(id));
    if (auto it = MenuWrites().find(id); it != MenuWrites().end()) a.writes = it->second;
    a.anyParameter = id == kCmdOpenCameraFile;
    // Menus are reached through their actions: the menus' own popups are Qt's.
    Do(a, [&] { item->trigger(); });
  } else if (kind < 90) {
    if (target != window.get()) return;
    QTabBar* bar = window->Tabs()->Bar();
    const int tab = static_cast<int>(Pick(bar->count()));
    Do(Allowance("tab " + std::to_string(tab)),
       [&] { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center()); });
  } else if (kind < 92) {
    if (QApplication::activeModalWidget() != window.get()) return;
    Do(Allowance("the factory key sequence"), [&] {
      QWidget* focus = window->Tabs()->Bar();
      QTest::keyClick(focus, Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
      for (int key : FactoryKeySequence::AccessCode())
        QTest::keyClick(focus, static_cast<Qt::Key>(key));
    });
  } else if (kind < 96) {
    if (auto* spin = static_cast<UpDownControl*>(PickOf(Controls(target, IsSpin)))) {
      Do(For("an arrow of", spin), [&] {
        QTest::mouseClick(Pick(2) ? spin->UpButton() : spin->DownButton(), Qt::LeftButton);
      });
    }
  } else {
    ToggleFault();
  }
}

void RandomOperatorTest::Tick() {
  // A timer never fires again inside its own handler: each tick sets up the
  // next, which then also comes inside the dialogs this one opens.
  QTimer::singleShot(1, &hands, [this] { Tick(); });
  // A nested tick acts only in a modal dialog an action opened, never while
  // an operation waits or lets the window system run.
  QWidget* modal = QApplication::activeModalWidget();
  if (!modalAtDepth.empty() && modal == modalAtDepth.back()) return;
  if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
  if (running.elapsed() >= runMs || failed) {
    if (modal) static_cast<QDialog*>(modal)->done(QDialog::Rejected);
    return;
  }
  modalAtDepth.push_back(modal);
  OneAction();
  modalAtDepth.pop_back();
}

TEST_F(RandomOperatorTest, KeepsTheWireAndTheWindowSoundWhateverTheOperatorDoes) {
  runMs = 1000 * EnvNumber("CCT_OPERATOR_SECONDS", 3);
  fprintf(stderr, "random operator: seed %u for %lld s (CCT_OPERATOR_SEED=%u to replay)\n", seed,
          static_cast<long long>(runMs / 1000), seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  parameterMnemonics = ParameterMnemonics();
  Watchdog watchdog(seed);
  long residentAtQuarter = 0;
  qsizetype dialogsAtQuarter = 0;
  QTimer::singleShot(static_cast<int>(runMs / 4), [&] {
    residentAtQuarter = ResidentKiB();
    dialogsAtQuarter = Dialogs();
  });
  QTimer::singleShot(1, &hands, [this] { Tick(); });
  running.start();
  ASSERT_TRUE(window->Create());
  window->exec();
  CheckWire();
  fprintf(stderr, "random operator: %d actions, %zu lines heard\n", actions, checked);
  EXPECT_GT(actions, 0);
  // Logs are bounded and every dialog goes with its run.
  EXPECT_LE(Dialogs(), dialogsAtQuarter);
#if !defined(__SANITIZE_ADDRESS__)
  EXPECT_LT(ResidentKiB() - residentAtQuarter, 64 * 1024);
#endif
}

}  // namespace
}  // namespace cct
