#include "app/composition_root.h"

#include <cstdio>
#include <cstdlib>

#include "app/control_mode.h"
#include "app/preference_store.h"
#include "protocol/clock.h"
#include "protocol/command.h"
#include "protocol/parameter_table.h"
#include "protocol/timing.h"
#include "serial/camera_model.h"
#include "serial/serial_channel.h"

namespace cct {

namespace {

CompositionRoot* current = nullptr;

CompositionRoot& Root() {
  if (current == nullptr) {
    // A program fault: the application makes the root before anything runs.
    std::fputs("camera-control-tool: single object used without a composition root\n", stderr);
    std::abort();
  }
  return *current;
}

}  // namespace

CompositionRoot::CompositionRoot(Host& host, StoreFactory makeStore)
    : host_(host), makeStore_(std::move(makeStore)) {
  if (current == nullptr) current = this;
}

CompositionRoot::~CompositionRoot() {
  order_.Clear();
  if (current == this) current = nullptr;
}

CompositionRoot* CompositionRoot::Current() {
  return current;
}

// Each object is adopted only once its constructor has returned, so whatever
// it used while being created was adopted before it and goes after it.

PreferenceStore& CompositionRoot::GetPreferenceStore() {
  if (!preferences_) {
    std::unique_ptr<PreferenceStore> store = makeStore_ ? makeStore_() : nullptr;
    if (!store) store = std::make_unique<PreferenceStore>();
    preferences_ = &order_.Adopt(std::move(store));
  }
  return *preferences_;
}

CSerialChannel& CompositionRoot::GetSerialChannel() {
  if (!serialChannel_) {
    serialChannel_ =
        &order_.Adopt(std::make_unique<CSerialChannel>(host_, GetPreferenceStore(), SystemClock()));
  }
  return *serialChannel_;
}

Command& CompositionRoot::GetCommand() {
  if (!command_) {
    command_ = &order_.Adopt(
        std::make_unique<Command>(GetSerialChannel(), host_, SystemClock(), ProgramTiming()));
  }
  return *command_;
}

ControlModeHolder& CompositionRoot::GetControlMode() {
  if (!controlMode_) {
    controlMode_ = &order_.Adopt(std::make_unique<ControlModeHolder>(GetPreferenceStore()));
  }
  return *controlMode_;
}

ParameterTable& CompositionRoot::GetParameterTable() {
  if (!parameterTable_) parameterTable_ = &order_.Adopt(std::make_unique<ParameterTable>(host_));
  return *parameterTable_;
}

CameraModelRecord& CompositionRoot::GetCameraModel() {
  if (!cameraModel_) cameraModel_ = &order_.Adopt(std::make_unique<CameraModelRecord>());
  return *cameraModel_;
}

Host& TheHost() {
  return Root().GetHost();
}
PreferenceStore& ThePreferenceStore() {
  return Root().GetPreferenceStore();
}
CSerialChannel& TheSerialChannel() {
  return Root().GetSerialChannel();
}
Command& TheCommand() {
  return Root().GetCommand();
}
ControlModeHolder& TheControlMode() {
  return Root().GetControlMode();
}
ParameterTable& TheParameterTable() {
  return Root().GetParameterTable();
}
CameraModelRecord& TheCameraModel() {
  return Root().GetCameraModel();
}

}  // namespace cct
