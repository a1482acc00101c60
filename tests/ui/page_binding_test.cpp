// The parameter pages against the simulated camera on a pseudo-terminal: the
// start-up connection and full read, changes by the operator with their
// confirmation or revert, the enabling rules, the read-out buttons and the
// camera's baud-rate change.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "app/control_mode.h"
#include "app/preference_store.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "res/templates/page_ids.h"
#include "res/templates/resource_ids.h"
#include "serial/camera_model.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"
#include "support/scripted_prompter.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/up_down_control.h"
#include "ui/lut/lut_dlg.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/page_binding.h"
#include "ui/main/ui_context.h"
#include "ui/main/ui_host.h"
#include "ui/service/communication_dialog.h"
#include "ui_fixture.h"

namespace cct {
namespace {

using Lines = std::vector<std::string>;

// The user parameters the full read asks for, in table order.
const Lines kUserQueries = {"CBDRT?", "TG?",  "TI?",  "TA?",    "ARST?", "EM?",  "PE?",
                            "LR?",    "AL?",  "BI?",  "HB?",    "HBM?",  "BA?",  "TAGM?",
                            "CLC?",   "TS?",  "GA?",  "ABG?",   "BL?",   "SDC?", "PGC?",
                            "PBC?",   "LUN?", "GMA?", "TMPS0?", "LS0?",  "SS?",  "MF?"};

class PageBindingTest : public ::testing::Test {
 protected:
  // The camera on COM1, then the main window, whose start-up finds it there.
  void Start(sim::EngineOptions engine = {}, int mode = kUserMode) {
    sim::PtyOptions options;
    options.portName = "COM1";
    options.engine = std::move(engine);
    camera = std::make_unique<sim::PtyCamera>(std::move(options));
    std::string error;
    ASSERT_TRUE(camera->Start(&error)) << error;
    controlMode.SetControlMode(mode);
    // The progress window's positions as the read dispatches pending events.
    QObject::connect(&progressWatch, &QTimer::timeout, [this] {
      CProgressBarDialog& progress = ui.GetProgressBar();
      if (progress.IsVisible() && (positions.empty() || positions.back() != progress.Pos())) {
        positions.push_back(progress.Pos());
      }
    });
    progressWatch.start(0);
    window = std::make_unique<CCtrlToolDlg>(
        UiContext{ui, preferences, serial, command, controlMode, parameters, cameraModel, timing});
    ASSERT_TRUE(window->Create());
    window->show();
    progressWatch.stop();
    Mark();
  }

  // The lines the camera got since the last mark.
  void Mark() { mark = camera->ReceivedLines().size(); }
  Lines Sent() const {
    const Lines all = camera->ReceivedLines();
    return Lines(all.begin() + static_cast<long>(mark), all.end());
  }
  // The lines of the full read after its probe.
  Lines FullReadQueries() const {
    const Lines all = camera->ReceivedLines();
    int probes = 0;
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] == "MD?" && ++probes == 2) return Lines(all.begin() + long(i) + 1, all.end());
    }
    return {};
  }

  template <typename T>
  T* Control(int id) const {
    return qobject_cast<T*>(window->FindControl(id));
  }
  QString Text(int id) const {
    if (auto* label = Control<QLabel>(id)) return label->text();
    return Control<QLineEdit>(id)->text();
  }
  bool Enabled(int id) const { return window->FindControl(id)->isEnabled(); }
  bool Hidden(int id) const { return window->FindControl(id)->isHidden(); }

  // What the operator does.
  void Pick(int listId, int position) {
    QComboBox* list = Control<QComboBox>(listId);
    list->setCurrentIndex(position);
    emit list->activated(position);
  }
  void TypeAndLeave(int editId, const QString& text,
                    ControlEventCode how = ControlEventCode::KillFocus) {
    QLineEdit* edit = Control<QLineEdit>(editId);
    edit->setText(text);
    ControlEvent event{editId, how, edit};
    window->Dispatch(event);
  }
  void Click(int buttonId) {
    ControlEvent event{buttonId, ControlEventCode::Clicked, window->FindControl(buttonId)};
    window->Dispatch(event);
  }
  UpDownControl* Spin(int spinId) const { return Control<UpDownControl>(spinId); }

  test::UiTempConfig config;  // first: the port map and settings live in it
  test::ScriptedPrompter prompter;
  Timing timing = test::ShortTiming();
  UiHost ui{timing, &prompter};
  PreferenceStore preferences;
  SteadyClock clock;
  CSerialChannel serial{ui, preferences, clock};
  Command command{serial, ui, clock, timing};
  ControlModeHolder controlMode{preferences};
  ParameterTable parameters{ui};
  CameraModelRecord cameraModel;
  std::unique_ptr<sim::PtyCamera> camera;
  std::unique_ptr<CCtrlToolDlg> window;
  size_t mark = 0;
  QTimer progressWatch;
  std::vector<int> positions;
};

TEST_F(PageBindingTest, StartUpFindsTheCameraAndReadsTheUserParametersInTableOrder) {
  Start();
  const Lines all = camera->ReceivedLines();
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(Lines(all.begin(), all.begin() + 3), (Lines{"MD?", "EA?", "MD?"}));
  EXPECT_EQ(FullReadQueries(), kUserQueries);  // 28 of the 38 user parameters
  // 28 x 100 / 38: the bar reaches 100 % only when the window closes.
  ASSERT_GE(positions.size(), 2u);
  EXPECT_EQ(positions[positions.size() - 2], 73);
  EXPECT_EQ(positions.back(), 100);
  EXPECT_TRUE(prompter.boxes.empty());

  // The pages show the camera's values, the previous values are confirmed.
  EXPECT_EQ(Text(kIdcGainLevel), "100");
  EXPECT_EQ(Spin(kIdcGainLevelSpin)->Pos(), 100);
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcLineRate), 20000);
  EXPECT_EQ(Text(kIdcLinePeriod), "200.00us");
  EXPECT_EQ(Text(kIdcLineFrequency), "5000.0000hz");
  EXPECT_EQ(Control<QComboBox>(kIdcCameraBaudRate)->currentText(), "9600bps");
  EXPECT_EQ(Control<QComboBox>(kIdcCameraModel)->currentText(), "QX-2040L-RTN");
  EXPECT_FALSE(Hidden(kIdcBinningModeLabel));
  EXPECT_EQ(window->CurrentArea(), 0);
  // Every window takes input again, and the progress window is gone.
  EXPECT_TRUE(window->isEnabled());
  EXPECT_TRUE(window->Communication().isEnabled());
  EXPECT_FALSE(ui.GetProgressBar().IsOpen());
}

TEST_F(PageBindingTest, FactoryModeReadsTheFactoryParametersToo) {
  Start({}, kFactoryMode);
  Lines expected = kUserQueries;
  // Table order: the boot area lies among the factory levels.
  for (const char* query : {"GA4A00?", "GA4B00?", "GA8K00?", "BL4A00?", "BL4B00?", "BL8K00?",
                            "BAS00?", "BYP0?", "GA00?", "PGC00?", "PBC00?"}) {
    expected.push_back(query);
  }
  EXPECT_EQ(FullReadQueries(), expected);  // 39 of 49
  ASSERT_GE(positions.size(), 2u);
  EXPECT_EQ(positions[positions.size() - 2], 79);  // 3900 / 49
  EXPECT_EQ(Text(kIdcFactoryInGain), "50");
}

TEST_F(PageBindingTest, UnknownModelIsNotQueried) {
  sim::EngineOptions engine;
  engine.model = "QX-9999";
  Start(engine);
  EXPECT_TRUE(FullReadQueries().empty());
  EXPECT_EQ(Control<QComboBox>(kIdcCameraModel)->currentIndex(), -1);
  // The defaults stay on the pages.
  EXPECT_EQ(Text(kIdcGainLevel), "100");
  EXPECT_FALSE(ui.GetProgressBar().IsOpen());
  EXPECT_TRUE(window->isEnabled());
}

TEST_F(PageBindingTest, EditCommitSendsOnlyNumbersWithinTheRange) {
  Start();
  TypeAndLeave(kIdcGainLevel, "6400");
  EXPECT_EQ(Sent(), Lines{"GA=6400"});
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcGainLevel), 6400);

  Mark();
  TypeAndLeave(kIdcGainLevel, "7000");
  TypeAndLeave(kIdcGainLevel, "12x");
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Text(kIdcGainLevel), "6400");
  EXPECT_EQ(parameters.GetDataValue(kIdcGainLevel), 6400);

  // Enter in "Line Rate" sends at once and updates the labels.
  TypeAndLeave(kIdcLineRate, "40000", ControlEventCode::Return);
  EXPECT_EQ(Sent(), Lines{"LR=40000"});
  EXPECT_EQ(Text(kIdcLinePeriod), "400.00us");
  EXPECT_EQ(Text(kIdcLineFrequency), "2500.0000hz");
}

TEST_F(PageBindingTest, RefusedEditValueReturnsToTheConfirmedOne) {
  sim::EngineOptions engine;
  engine.refused = {"BL"};
  Start(engine);
  prompter.boxes.clear();
  // The refusal's box takes the focus from the edit box: no second commit.
  prompter.duringBox = [this] {
    ControlEvent focusLost{kIdcBlackLevel, ControlEventCode::KillFocus,
                           window->FindControl(kIdcBlackLevel)};
    window->Dispatch(focusLost);
  };
  TypeAndLeave(kIdcBlackLevel, "20");
  prompter.duringBox = nullptr;
  EXPECT_EQ(Sent(), Lines{"BL=20"});
  EXPECT_EQ(Text(kIdcBlackLevel), "0");
  EXPECT_EQ(Spin(kIdcBlackLevelSpin)->Pos(), 0);
  EXPECT_EQ(parameters.GetDataValue(kIdcBlackLevel), 0);
  EXPECT_EQ(prompter.boxes.size(), 1u);  // the exchange's own report
}

TEST_F(PageBindingTest, SpinStepsAreSentAndStopAtTheRangeEnd) {
  Start();
  UpDownControl* spin = Spin(kIdcBlackLevelSpin);
  TypeAndLeave(kIdcBlackLevel, "-132");
  Mark();
  spin->DownButton()->click();
  EXPECT_EQ(Sent(), Lines{"BL=-133"});
  EXPECT_EQ(Text(kIdcBlackLevel), "-133");

  Mark();
  spin->DownButton()->click();  // at the low end already
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(Text(kIdcBlackLevel), "-133");
  EXPECT_EQ(spin->Pos(), -133);
}

TEST_F(PageBindingTest, RefusedSpinStepKeepsTheSpinWhereItWas) {
  sim::EngineOptions engine;
  engine.refused = {"AL"};
  Start(engine);
  UpDownControl* spin = Spin(kIdcAutoLineRateRefSpin);
  const int before = spin->Pos();
  spin->UpButton()->click();
  EXPECT_EQ(Sent(), Lines{"AL=" + std::to_string(before + 1)});
  EXPECT_EQ(spin->Pos(), before);
  EXPECT_EQ(Text(kIdcAutoLineRateRef), QString::number(before));
  EXPECT_EQ(parameters.GetDataValue(kIdcAutoLineRateRef), before);
}

TEST_F(PageBindingTest, LutEntryControlsSendOnlyThroughTheirButtons) {
  Start();
  TypeAndLeave(kIdcLutIndex, "7");
  Spin(kIdcLutDataSpin)->UpButton()->click();
  TypeAndLeave(kIdcLutData, "300");
  EXPECT_TRUE(Sent().empty());

  Click(kIdcLutWrite);
  EXPECT_EQ(Sent(), (Lines{"LUTI=7", "LUTD=300"}));
  TypeAndLeave(kIdcLutData, "0");
  Mark();
  Click(kIdcLutRead);
  EXPECT_EQ(Sent(), (Lines{"LUTI=7", "LUTD?"}));
  EXPECT_EQ(Text(kIdcLutData), "300");
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcLutData), 300);
}

TEST_F(PageBindingTest, ListItemValueIsSentAndConfirmed) {
  Start();
  // "User Area" carries the value 2.
  Pick(kIdcPixelGainMode, 1);
  EXPECT_EQ(Sent(), Lines{"PGC=2"});
  EXPECT_TRUE(Enabled(kIdcRecalPixelGain));
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcPixelGainMode), 2);
}

TEST_F(PageBindingTest, RefusedListShowsThePreviousItemAndItsRuleAgain) {
  sim::EngineOptions engine;
  engine.refused = {"PGC"};
  Start(engine);
  EXPECT_FALSE(Enabled(kIdcRecalPixelGain));
  const int32_t before = parameters.GetDataValue(kIdcPixelGainMode);
  Pick(kIdcPixelGainMode, 1);
  EXPECT_EQ(Sent(), Lines{"PGC=2"});
  EXPECT_EQ(parameters.GetDataValue(kIdcPixelGainMode), before);
  EXPECT_EQ(Control<QComboBox>(kIdcPixelGainMode)->currentText(), "Factory Area");
  EXPECT_FALSE(Enabled(kIdcRecalPixelGain));
}

TEST_F(PageBindingTest, ExposureModeIsKeptEvenWhenTheCameraRefusesIt) {
  sim::EngineOptions engine;
  engine.refused = {"EM"};
  Start(engine);
  EXPECT_FALSE(Enabled(kIdcExposureTimeRaw));
  EXPECT_TRUE(Enabled(kIdcOnePush));
  Pick(kIdcExposureMode, 1);  // "Timed"
  EXPECT_EQ(Sent(), Lines{"EM=1"});
  EXPECT_EQ(Control<QComboBox>(kIdcExposureMode)->currentText(), "Timed");
  EXPECT_EQ(parameters.GetDataValue(kIdcExposureMode), 1);
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcExposureMode), 1);
  EXPECT_TRUE(Enabled(kIdcExposureTimeRaw));
  EXPECT_TRUE(Enabled(kIdcExposureTimeRawSpin));
  EXPECT_FALSE(Enabled(kIdcOnePush));
  EXPECT_FALSE(Enabled(kIdcAutoLineRateRef));
}

TEST_F(PageBindingTest, EnablingRulesFollowTheirLists) {
  Start();
  // After the full read: internal trigger, exposure off, LUT off.
  EXPECT_FALSE(Enabled(kIdcAutoResetMode));
  EXPECT_TRUE(Enabled(kIdcAutoLineRateRefSpin));
  EXPECT_FALSE(Enabled(kIdcOpenLutTable));
  EXPECT_TRUE(Hidden(kIdcGamma));
  EXPECT_FALSE(Enabled(kIdcRecalShading));

  Pick(kIdcTriggerOrigin, 1);
  EXPECT_TRUE(Enabled(kIdcAutoResetMode));
  EXPECT_FALSE(Enabled(kIdcOnePush));
  EXPECT_FALSE(Enabled(kIdcAutoLineRateRefSpin));

  Pick(kIdcLutSelector, 2);
  EXPECT_FALSE(Enabled(kIdcOpenLutTable));
  EXPECT_FALSE(Hidden(kIdcGamma));
  EXPECT_FALSE(Hidden(kIdcGammaSpin));
  EXPECT_FALSE(Hidden(kIdcGammaLabel));
  Pick(kIdcLutSelector, 1);
  EXPECT_TRUE(Enabled(kIdcOpenLutTable));
  EXPECT_TRUE(Hidden(kIdcGammaLabel));

  Pick(kIdcShadingMode, 1);
  EXPECT_FALSE(Enabled(kIdcRecalShading));
  Pick(kIdcShadingMode, 2);
  EXPECT_TRUE(Enabled(kIdcRecalShading));
  EXPECT_EQ(Sent(), (Lines{"TG=1", "LUN=2", "LUN=1", "SDC=1", "SDC=2"}));
}

TEST_F(PageBindingTest, OpenLutTableShowsTheMonochromeEditorOnly) {
  Start();
  Pick(kIdcLutSelector, 1);
  Click(kIdcOpenLutTable);
  EXPECT_FALSE(window->LutEditor(0).isVisible());
  EXPECT_TRUE(window->LutEditor(1).isVisible());
  EXPECT_EQ(window->LutEditor(1).windowTitle(), "LUT Setting for Monochrome");
  Pick(kIdcLutSelector, 0);
  EXPECT_FALSE(window->LutEditor(1).isVisible());
}

TEST_F(PageBindingTest, CameraBaudRateChangeSwitchesTheLineWithTheCamera) {
  Start();
  Pick(kIdcCameraBaudRate, 4);  // "115200bps"
  EXPECT_EQ(Sent(), (Lines{"CBDRT?", "CBDRT=16", "CBDRT=16"}));
  EXPECT_EQ(camera->BaudRate(), 115200);
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcCameraBaudRate), 16);
  auto* commList = window->Communication().Item<QComboBox>(kIdcCommBaudRate);
  EXPECT_EQ(commList->currentText(), "115200bps");
  // The camera answers at the new rate.
  TypeAndLeave(kIdcGainLevel, "200");
  EXPECT_EQ(parameters.GetPrevDataValue(kIdcGainLevel), 200);

  // Picking the rate the camera has already sends nothing more.
  Mark();
  Pick(kIdcCameraBaudRate, 4);
  EXPECT_EQ(Sent(), Lines{"CBDRT?"});
}

TEST_F(PageBindingTest, CameraBaudRateStaysWhenTheCameraDoesNotSayItsRate) {
  sim::EngineOptions engine;
  engine.refused = {"CBDRT"};
  Start(engine);
  Pick(kIdcCameraBaudRate, 4);
  EXPECT_EQ(Sent(), Lines{"CBDRT?"});
  EXPECT_EQ(camera->BaudRate(), 9600);
  EXPECT_EQ(Control<QComboBox>(kIdcCameraBaudRate)->currentText(), "9600bps");
}

TEST_F(PageBindingTest, RefusedSensorSelectShowsThePreviousSensor) {
  sim::EngineOptions engine;
  engine.refused = {"SS"};
  Start(engine);
  Pick(kIdcSensorSelect, 1);
  EXPECT_EQ(Sent(), Lines{"SS=1"});
  EXPECT_EQ(Control<QComboBox>(kIdcSensorSelect)->currentIndex(), 0);
  EXPECT_EQ(parameters.GetDataValue(kIdcSensorSelect), 0);
}

TEST_F(PageBindingTest, ReadOutButtonsShowAnswersAndNothingOfAFailedQuery) {
  sim::EngineOptions engine;
  engine.refused = {"PEMIN"};
  Start(engine);
  Click(kIdcReadLineRateMinLimit);
  Click(kIdcReadExposureLimits);
  EXPECT_EQ(Sent(), (Lines{"ARMIN?", "PEMAX?", "PEMIN?"}));
  EXPECT_NE(Text(kIdcLineRateMinLimit), "-");
  EXPECT_GT(Text(kIdcExposureMaxLimit).toInt(), 0);
  EXPECT_EQ(Text(kIdcExposureMinLimit), "-");

  Click(kIdcGetTemperature);
  bool number = false;
  Text(kIdcTemperature).toInt(&number);
  EXPECT_TRUE(number);

  Mark();
  Click(kIdcOnePush);
  EXPECT_EQ(Sent(), (Lines{"AR=0", "LR?"}));
}

TEST_F(PageBindingTest, LineRateLabelsAndListValues) {
  Start();
  PageBinding& binding = window->Binding();
  parameters.SetDataValue(kIdcLineRate, 5000);
  binding.UpdateLineRateLabels();
  EXPECT_EQ(Text(kIdcLinePeriod), "50.00us");
  EXPECT_EQ(Text(kIdcLineFrequency), "20000.0000hz");
  parameters.SetDataValue(kIdcLineRate, 0);  // no division by zero
  binding.UpdateLineRateLabels();
  EXPECT_EQ(Text(kIdcLinePeriod), "0.00us");
  EXPECT_EQ(Text(kIdcLineFrequency), "-");

  // A list with item values: by value, else by position.
  QComboBox* source = Control<QComboBox>(kIdcLineSource1);
  EXPECT_TRUE(binding.PutControlValue(kIdcLineSource1, 4));
  EXPECT_EQ(source->currentText(), "Exposure Active (XEEN)");
  EXPECT_EQ(binding.ReadControlValue(kIdcLineSource1), 4);
  EXPECT_TRUE(binding.PutControlValue(kIdcLineSource1, 2));
  EXPECT_EQ(source->currentText(), "Exposure Active (XEEN)");
  EXPECT_TRUE(binding.PutControlValue(kIdcLineSource1, 0));
  EXPECT_EQ(binding.ReadControlValue(kIdcLineSource1), 0);  // "Low": its position
  EXPECT_EQ(binding.ReadControlValue(4711), -1);
  EXPECT_FALSE(binding.PutControlValue(4711, 1));
  EXPECT_TRUE(Sent().empty());  // values put by code are not the operator's
}

}  // namespace
}  // namespace cct
