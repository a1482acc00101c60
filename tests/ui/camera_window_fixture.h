#pragma once

#include <QComboBox>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/engine_line.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/service/communication_dialog.h"
#include "ui_fixture.h"

namespace cct::test {

using Lines = std::vector<std::string>;

// The main window with the simulated camera already on its line: start-up
// reads the camera without opening or searching any port, and the flash area
// choice is scripted unless a test wants the real dialog.
class EngineWindow : public CCtrlToolDlg {
 public:
  using CCtrlToolDlg::CCtrlToolDlg;
  void ConnectAtStartUp() override { FullRead(); }
  bool SelectArea(int mode, int& area) override {
    if (realAreaDialog) return CCtrlToolDlg::SelectArea(mode, area);
    areaModes.push_back(mode);
    if (areas.empty()) return false;  // cancelled
    area = areas.front();
    areas.pop_front();
    return true;
  }

  bool realAreaDialog = false;
  std::deque<int> areas;  // what the operator picks, in turn
  std::vector<int> areaModes;
};

// The in-process camera's line, telling a test each text as it is written:
// the window's thread is then inside the exchange, before any answer.
class WatchedEngineLine : public EngineLine {
 public:
  using EngineLine::EngineLine;
  bool Write(const std::string& text) override {
    if (onWrite) onWrite(text);
    return EngineLine::Write(text);
  }
  std::function<void(const std::string&)> onWrite;
};

// The program's windows on an in-process camera and a fake clock: camera
// waits cost no real time, and every exchange is exact.
class CameraWindowTest : public UiTest {
 protected:
  void Start(int mode = kUserMode) {
    controlMode.SetControlMode(mode);
    window = std::make_unique<EngineWindow>(
        UiContext{ui, preferences, serial, camera, controlMode, parameters, cameraModel, timing});
    ASSERT_TRUE(window->Create());
    window->show();
    Mark();
  }

  CCommunicationDialog& Communication() const { return window->Communication(); }
  sim::CameraEngine& Camera() { return cameraLine.engine; }
  std::string CameraValue(const std::string& mnemonic) const {
    std::string value;
    cameraLine.engine.GetValue(mnemonic, value);
    return value;
  }

  // What went to the camera since the last mark, without line ends.
  void Mark() { mark = cameraLine.written.size(); }
  Lines Sent() const {
    Lines sent;
    for (size_t i = mark; i < cameraLine.written.size(); ++i) {
      const std::string& text = cameraLine.written[i];
      sent.push_back(text.substr(0, text.find_last_not_of("\r\n") + 1));
    }
    return sent;
  }
  QStringList BoxTexts() const {
    QStringList texts;
    for (const auto& box : prompter.boxes) texts << box.text;
    return texts;
  }

  WatchedEngineLine cameraLine{clock, &ui};
  Command camera{cameraLine, ui, clock, timing};
  std::unique_ptr<EngineWindow> window;
  size_t mark = 0;
};

// What the operator does to a control of a template window.
template <typename Dialog>
void Pick(Dialog& dialog, int listId, int position) {
  auto* list = dialog.template Item<QComboBox>(listId);
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(position);
  emit list->activated(position);
}

}  // namespace cct::test
