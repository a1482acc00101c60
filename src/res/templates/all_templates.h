#pragma once

#include "res/templates/dialog_template.h"

// The templates of the program, one definition per window file; the index
// (dialog_template.cpp) lists them all.
namespace cct::templates {

extern const DialogTemplate kAbout;
extern const DialogTemplate kAreaSelect;
extern const DialogTemplate kCameraId;
extern const DialogTemplate kCommunication;
extern const DialogTemplate kMain;
extern const DialogTemplate kLut;
extern const DialogTemplate kProgress;
extern const DialogTemplate kTerminal;
extern const DialogTemplate kUserId;
extern const DialogTemplate kUserA;
extern const DialogTemplate kUserB;
extern const DialogTemplate kFactoryA;

}  // namespace cct::templates
