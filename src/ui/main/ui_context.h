#pragma once

#include "protocol/timing.h"

namespace cct {

class UiHost;
class Preferences;
class CSerialChannel;
class Command;
class ControlModeHolder;
class ParameterTable;
struct CameraModelRecord;

// What the windows work with: the window layer's single objects and the
// program's single objects below it. The program takes them from its
// composition root; tests make their own.
struct UiContext {
  UiHost& ui;
  Preferences& preferences;
  CSerialChannel& serial;
  Command& command;
  ControlModeHolder& controlMode;
  ParameterTable& parameters;
  CameraModelRecord& cameraModel;
  const Timing& timing;
};

// The program's objects, created on first use by the composition root in the
// order the main window first needs them.
UiContext ProgramContext(UiHost& ui);

}  // namespace cct
