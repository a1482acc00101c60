// The enabling rules of the pages: which controls follow which lists.
#include "res/templates/page_ids.h"
#include "ui/main/ctrl_tool_dlg.h"
#include "ui/main/page_binding.h"

namespace cct {

namespace {

// List positions the rules look at.
constexpr int kLutOff = 0;
constexpr int kLutTable = 1;
constexpr int kLutGamma = 2;
constexpr int kShadingUserArea = 2;
constexpr int kAreaUserArea = 1;  // the pixel gain and pixel black lists
constexpr int kTriggerInternal = 0;
constexpr int kExposureOff = 0;
constexpr int kExposureTimed = 1;

}  // namespace

void PageBinding::ApplyEnablingRules() {
  LutSelectorRule();
  CorrectionModeRule();
  ExposureAndGainRule();
  TriggerOriginRule();
  ExposureModeRule();
}

void PageBinding::LutSelectorRule() {
  const int selector = ListPosition(kIdcLutSelector);
  SetEnabled(kIdcOpenLutTable, selector == kLutTable);
  if (selector == kLutOff || selector == kLutGamma) window_.HideLutEditors();
  const bool gamma = selector == kLutGamma;
  for (int id : {kIdcGamma, kIdcGammaSpin, kIdcGammaLabel}) SetShown(id, gamma);
}

void PageBinding::CorrectionModeRule() {
  SetEnabled(kIdcRecalShading, ListPosition(kIdcShadingMode) == kShadingUserArea);
  SetEnabled(kIdcRecalPixelGain, ListPosition(kIdcPixelGainMode) == kAreaUserArea);
  SetEnabled(kIdcRecalPixelBlack, ListPosition(kIdcPixelBlackMode) == kAreaUserArea);
}

void PageBinding::ExposureAndGainRule() {
  for (int id : {kIdcExposureMode, kIdcExposureTimeRaw, kIdcExposureTimeRawSpin, kIdcGainLevel,
                 kIdcGainLevelSpin}) {
    SetEnabled(id, true);
  }
}

void PageBinding::TriggerOriginRule() {
  SetEnabled(kIdcAutoResetMode, ListPosition(kIdcTriggerOrigin) != kTriggerInternal);
  AutoLineRateRule();
}

void PageBinding::ExposureModeRule() {
  // Only the edit: its spin stays enabled.
  SetEnabled(kIdcExposureTimeRaw, ListPosition(kIdcExposureMode) == kExposureTimed);
  AutoLineRateRule();
}

void PageBinding::AutoLineRateRule() {
  const bool automatic = ListPosition(kIdcTriggerOrigin) == kTriggerInternal &&
                         ListPosition(kIdcExposureMode) == kExposureOff;
  for (int id : {kIdcOnePush, kIdcAutoLineRateRef, kIdcAutoLineRateRefSpin}) {
    SetEnabled(id, automatic);
  }
}

}  // namespace cct
