#include "ui/main/ui_context.h"

#include "app/composition_root.h"
#include "app/preference_store.h"

namespace cct {

UiContext ProgramContext(UiHost& ui) {
  PreferenceStore& preferences = ThePreferenceStore();
  CSerialChannel& serial = TheSerialChannel();
  Command& command = TheCommand();
  ControlModeHolder& controlMode = TheControlMode();
  ParameterTable& parameters = TheParameterTable();
  CameraModelRecord& cameraModel = TheCameraModel();
  return UiContext{ui,          preferences, serial,      command,
                   controlMode, parameters,  cameraModel, ProgramTiming()};
}

}  // namespace cct
