#pragma once

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/control_mode.h"
#include "app/preference_store.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "serial/camera_model.h"
#include "serial/serial_channel.h"
#include "support/fake_clock.h"
#include "support/scripted_line.h"
#include "support/scripted_prompter.h"
#include "ui/main/ui_context.h"
#include "ui/main/ui_host.h"

namespace cct::test {

// A private configuration folder for one test: XDG_CONFIG_HOME and the
// user-scope settings path of this process both point into it.
class UiTempConfig {
 public:
  UiTempConfig() {
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }
  bool IsValid() const { return dir_.isValid(); }

 private:
  QTemporaryDir dir_;
};

inline Timing ShortTiming() {
  Timing timing;
  timing.progressHoldMs = 40;
  timing.lutGapMs = 1;
  return timing;
}

// Everything a window needs, made for one test: the window layer's objects
// with a scripted prompter, and a command exchange on a scripted line whose
// clock moves only when someone waits, so a silent camera costs no time.
class UiTest : public ::testing::Test {
 protected:
  UiContext Context() {
    return UiContext{ui,          preferences, serial,      command,
                     controlMode, parameters,  cameraModel, timing};
  }

  UiTempConfig config;  // first: nothing may read the operator's settings
  ScriptedPrompter prompter;
  Timing timing = ShortTiming();
  UiHost ui{timing, &prompter};
  PreferenceStore preferences;
  FakeClock clock;
  ScriptedLine line{clock};
  CSerialChannel serial{ui, preferences, clock};
  Command command{line, ui, clock, timing};
  ControlModeHolder controlMode{preferences};
  ParameterTable parameters{ui};
  CameraModelRecord cameraModel;
};

}  // namespace cct::test
