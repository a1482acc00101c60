#include "res/templates/all_templates.h"
#include "res/templates/page_ids.h"
#include "res/templates/resource_ids.h"

// The parameter pages. Each fills the tab control's display area; the pages'
// controls are listed here in tab order, group by group. Labels are given
// about a tenth more room than their text needs in the dialog font.
namespace cct::templates {

namespace {
using namespace ctl;

constexpr int16_t kPageWidth = 566;
constexpr int16_t kPageHeight = 248;

constexpr uint32_t kLabel = kVisible;
constexpr uint32_t kList = kVisible | kTabStop | kVScroll;
constexpr uint32_t kButton = kVisible | kTabStop;
constexpr uint32_t kEdit = kVisible | kTabStop | kAutoHScroll;
constexpr uint32_t kSpin = kVisible | kAlignRight | kAutoBuddy | kSetBuddyInt | kArrowKeys;
constexpr uint32_t kReadOut = kVisible | kSunken | kCenter;
// Controls no code shows: they keep their rows and defaults, nothing more.
constexpr uint32_t kNeverShown = 0;
constexpr uint32_t kNeverShownList = kTabStop | kVScroll;
constexpr uint32_t kNeverShownEdit = kTabStop | kAutoHScroll;
constexpr uint32_t kNeverShownSpin = kAlignRight | kAutoBuddy | kSetBuddyInt | kArrowKeys;

constexpr int16_t kDrop = 80;  // height of a dropped list

// Item texts in list order.
constexpr const char* kTriggerOrigin[] = {"Internal", "External"};
constexpr const char* kTriggerInput[] = {"Camera-Link", "12pin"};
constexpr const char* kTriggerActivation[] = {"RisingEdge", "FallingEdge", "LevelHigh", "LevelLow"};
constexpr const char* kOffOn[] = {"Off", "On"};
constexpr const char* kExposureMode[] = {"OFF", "Timed", "TriggerWidth"};
constexpr const char* kOffOnceContinuous[] = {"Off", "Once", "Continuous"};
constexpr const char* kBinning[] = {"Binning Off", "Binning On"};
constexpr const char* kBinningMode[] = {"Average", "Sum"};
constexpr const char* kBitAllocation[] = {"8bit", "10bit"};
constexpr const char* kTapGeometry[] = {"Geometry_1X2", "Geometry_1X3", "Geometry_1X4",
                                        "Geometry_1X8", "Geometry_1X10"};
constexpr const char* kClClock[] = {"85MHz", "63.75MHz", "42.5MHz", "31.875MHz"};
constexpr const char* kTestPattern[] = {"Off", "Monochrome", "Grey Pattern", "White"};
constexpr const char* kAnalogBaseGain[] = {"0dB", "6dB", "9.54dB", "12dB"};
constexpr const char* kShadingMode[] = {"Off", "Factory Area", "User Area"};
constexpr const char* kAreaMode[] = {"Factory Area", "User Area"};
constexpr const char* kLutSelector[] = {"Off", "LUT", "Gamma"};
constexpr const char* kTemperatureSensor[] = {"Sensor", "Sensor Board Bottom",
                                              "Interface Board Bottom", "FPGA"};
constexpr const char* kLineSource[] = {"Low",  "High",   "Exposure Active (XEEN)",
                                       "Lval", "TTL_In", "CL_CC1_In"};
constexpr const char* kSensorSelect[] = {"4K-A type", "4k-B type"};
constexpr const char* kCameraBaudRate[] = {"9600bps", "19200bps", "38400bps", "57600bps",
                                           "115200bps"};
constexpr const char* kBootArea[] = {"Default Area", "Update Area"};
constexpr const char* kIpBypass[] = {"Normal", "Bypass"};
constexpr const char* kDisableEnable[] = {"Disable", "Enable"};
constexpr const char* kCameraModels[] = {"QX-2040L-RTN", "QX-2080L-RTN", "QX-2040L-VRTN",
                                         "QX-2080L-VRTN"};

using K = ControlKind;

// Page "User A": trigger and exposure on the left, line rate and gain in the
// middle, image format on the right.
constexpr ControlTemplate kUserAControls[] = {
    {kNoControlId, K::GroupBox, "Trigger", 4, 4, 180, 76, kLabel},
    {kNoControlId, K::Static, "Trigger Origin", 12, 18, 82, 8, kLabel},
    {kIdcTriggerOrigin, K::ComboBox, "", 96, 16, 80, kDrop, kList, 0, kTriggerOrigin},
    {kNoControlId, K::Static, "Trigger Input", 12, 33, 82, 8, kLabel},
    {kIdcTriggerInput, K::ComboBox, "", 96, 31, 80, kDrop, kList, 0, kTriggerInput},
    {kNoControlId, K::Static, "Trigger Activation", 12, 48, 82, 8, kLabel},
    {kIdcTriggerActivation, K::ComboBox, "", 96, 46, 80, kDrop, kList, 0, kTriggerActivation},
    {kNoControlId, K::Static, "Auto Reset Mode", 12, 63, 82, 8, kLabel},
    {kIdcAutoResetMode, K::ComboBox, "", 96, 61, 80, kDrop, kList, 0, kOffOn},

    {kNoControlId, K::GroupBox, "Exposure", 4, 84, 180, 84, kLabel},
    {kNoControlId, K::Static, "Exposure Mode", 12, 98, 82, 8, kLabel},
    {kIdcExposureMode, K::ComboBox, "", 96, 96, 80, kDrop, kList, 0, kExposureMode},
    {kNoControlId, K::Static, "Exposure Time Raw", 12, 113, 82, 8, kLabel},
    {kIdcExposureTimeRaw, K::Edit, "", 96, 111, 70, 12, kEdit},
    {kIdcExposureTimeRawSpin, K::UpDown, "", 166, 111, 10, 12, kSpin},
    {kNoControlId, K::Static, "Exposure Auto", 12, 128, 82, 8, kNeverShown},
    {kIdcExposureAuto, K::ComboBox, "", 96, 126, 80, kDrop, kNeverShownList, 0, kOffOnceContinuous},
    {kNoControlId, K::Static, "Exposure max limit", 12, 128, 82, 8, kLabel},
    {kIdcExposureMaxLimit, K::Static, "-", 96, 127, 44, 11, kReadOut},
    {kNoControlId, K::Static, "Exposure min limit", 12, 143, 82, 8, kLabel},
    {kIdcExposureMinLimit, K::Static, "-", 96, 142, 44, 11, kReadOut},
    {kIdcReadExposureLimits, K::PushButton, "Read", 144, 134, 32, 14, kButton},

    {kNoControlId, K::Static, "Exposure Auto Max", 12, 173, 82, 8, kNeverShown},
    {kIdcExposureAutoMax, K::Edit, "", 96, 171, 70, 12, kNeverShownEdit},
    {kIdcExposureAutoMaxSpin, K::UpDown, "", 166, 171, 10, 12, kNeverShownSpin},
    {kNoControlId, K::Static, "Exposure Auto Min", 12, 188, 82, 8, kNeverShown},
    {kIdcExposureAutoMin, K::Edit, "", 96, 186, 70, 12, kNeverShownEdit},
    {kIdcExposureAutoMinSpin, K::UpDown, "", 166, 186, 10, 12, kNeverShownSpin},

    {kNoControlId, K::GroupBox, "Line Rate", 190, 4, 184, 98, kLabel},
    {kNoControlId, K::Static, "Line Rate", 198, 18, 86, 8, kLabel},
    {kIdcLineRate, K::Edit, "", 286, 16, 70, 12, kEdit},
    {kIdcLineRateSpin, K::UpDown, "", 356, 16, 10, 12, kSpin},
    {kIdcLinePeriod, K::Static, "XXX.XXms", 198, 32, 80, 11, kReadOut},
    {kIdcLineFrequency, K::Static, "XXX.XXHz", 286, 32, 80, 11, kReadOut},
    {kIdcOnePush, K::PushButton, "One-push", 198, 47, 80, 14, kButton},
    {kNoControlId, K::Static, "Auto Line rate ref", 198, 67, 86, 8, kLabel},
    {kIdcAutoLineRateRef, K::Edit, "", 286, 65, 70, 12, kEdit},
    {kIdcAutoLineRateRefSpin, K::UpDown, "", 356, 65, 10, 12, kSpin},
    {kNoControlId, K::Static, "Line Rate min limit", 198, 84, 86, 8, kLabel},
    {kIdcLineRateMinLimit, K::Static, "-", 286, 83, 44, 11, kReadOut},
    {kIdcReadLineRateMinLimit, K::PushButton, "Read", 334, 81, 32, 14, kButton},

    {kNoControlId, K::GroupBox, "Gain and signal settings", 190, 106, 184, 62, kLabel},
    {kNoControlId, K::Static, "Gain Level", 198, 120, 86, 8, kLabel},
    {kIdcGainLevel, K::Edit, "", 286, 118, 70, 12, kEdit},
    {kIdcGainLevelSpin, K::UpDown, "", 356, 118, 10, 12, kSpin},
    {kNoControlId, K::Static, "Gain Auto", 198, 135, 86, 8, kNeverShown},
    {kIdcGainAuto, K::ComboBox, "", 286, 133, 80, kDrop, kNeverShownList, 0, kOffOnceContinuous},
    {kNoControlId, K::Static, "Analog Base Gain All", 198, 135, 86, 8, kLabel},
    {kIdcAnalogBaseGain, K::ComboBox, "", 286, 133, 80, kDrop, kList, 0, kAnalogBaseGain},
    {kNoControlId, K::Static, "Black Level", 198, 150, 86, 8, kLabel},
    {kIdcBlackLevel, K::Edit, "", 286, 148, 70, 12, kEdit},
    {kIdcBlackLevelSpin, K::UpDown, "", 356, 148, 10, 12, kSpin},
    {kNoControlId, K::Static, "Alc Speed", 198, 173, 86, 8, kNeverShown},
    {kIdcAlcSpeed, K::Edit, "", 286, 171, 70, 12, kNeverShownEdit},
    {kIdcAlcSpeedSpin, K::UpDown, "", 356, 171, 10, 12, kNeverShownSpin},
    {kNoControlId, K::Static, "Alc Reference", 198, 188, 86, 8, kNeverShown},
    {kIdcAlcReference, K::Edit, "", 286, 186, 70, 12, kNeverShownEdit},
    {kIdcAlcReferenceSpin, K::UpDown, "", 356, 186, 10, 12, kNeverShownSpin},
    {kNoControlId, K::Static, "Gain Auto Max", 198, 203, 86, 8, kNeverShown},
    {kIdcGainAutoMax, K::Edit, "", 286, 201, 70, 12, kNeverShownEdit},
    {kIdcGainAutoMaxSpin, K::UpDown, "", 356, 201, 10, 12, kNeverShownSpin},
    {kNoControlId, K::Static, "Gain Auto Min", 198, 218, 86, 8, kNeverShown},
    {kIdcGainAutoMin, K::Edit, "", 286, 216, 70, 12, kNeverShownEdit},
    {kIdcGainAutoMinSpin, K::UpDown, "", 356, 216, 10, 12, kNeverShownSpin},

    {kNoControlId, K::GroupBox, "Image format", 380, 4, 182, 130, kLabel},
    {kIdcBinningVLabel, K::Static, "Binning V", 388, 18, 88, 8, kLabel},
    {kIdcBinningV, K::ComboBox, "", 478, 16, 78, kDrop, kList, 0, kBinning},
    {kIdcBinningHLabel, K::Static, "Binning H", 388, 33, 88, 8, kLabel},
    {kIdcBinningH, K::ComboBox, "", 478, 31, 78, kDrop, kList, 0, kBinning},
    {kIdcBinningModeLabel, K::Static, "Binning Horizontal Mode", 388, 46, 88, 16,
     kLabel | kMultiLine},
    {kIdcBinningMode, K::ComboBox, "", 478, 46, 78, kDrop, kList, 0, kBinningMode},
    {kNoControlId, K::Static, "Bit Allocation", 388, 66, 88, 8, kLabel},
    {kIdcBitAllocation, K::ComboBox, "", 478, 64, 78, kDrop, kList, 0, kBitAllocation},
    {kNoControlId, K::Static, "Device\nTap Geometry", 388, 79, 88, 17, kLabel | kMultiLine},
    {kIdcTapGeometry, K::ComboBox, "", 478, 81, 78, kDrop, kList, 0, kTapGeometry},
    {kNoControlId, K::Static, "CL Clock", 388, 101, 88, 8, kLabel},
    {kIdcClClock, K::ComboBox, "", 478, 99, 78, kDrop, kList, 0, kClClock},
    {kNoControlId, K::Static, "Test Pattern", 388, 116, 88, 8, kLabel},
    {kIdcTestPattern, K::ComboBox, "", 478, 114, 78, kDrop, kList, 0, kTestPattern},
};

// Page "User B": the three corrections, the camera's baud rate and the median
// filter on the left, the LUT in the middle, temperature, line source and
// sensor on the right.
constexpr ControlTemplate kUserBControls[] = {
    {kNoControlId, K::GroupBox, "Shading Correction", 4, 4, 200, 48, kLabel},
    {kNoControlId, K::Static, "Correction Mode", 12, 18, 72, 8, kLabel},
    {kIdcShadingMode, K::ComboBox, "", 88, 16, 108, kDrop, kList, 0, kShadingMode},
    {kIdcRecalShading, K::PushButton, "Recalibrate Shading", 88, 32, 108, 14, kButton},

    {kNoControlId, K::GroupBox, "Pixel Gain Correction", 4, 56, 200, 48, kLabel},
    {kNoControlId, K::Static, "Correction Mode", 12, 70, 72, 8, kLabel},
    {kIdcPixelGainMode, K::ComboBox, "", 88, 68, 108, kDrop, kList, 0, kAreaMode},
    {kIdcRecalPixelGain, K::PushButton, "Recalibrate Pixel Gain", 88, 84, 108, 14, kButton},

    {kNoControlId, K::GroupBox, "Pixel Black Correction", 4, 108, 200, 48, kLabel},
    {kNoControlId, K::Static, "Correction Mode", 12, 122, 72, 8, kLabel},
    {kIdcPixelBlackMode, K::ComboBox, "", 88, 120, 108, kDrop, kList, 0, kAreaMode},
    {kIdcRecalPixelBlack, K::PushButton, "Recalibrate Pixel Black", 88, 136, 108, 14, kButton},

    {kNoControlId, K::GroupBox, "Baud Rate", 4, 160, 200, 32, kLabel},
    {kIdcCameraBaudRate, K::ComboBox, "", 88, 173, 108, kDrop, kList, 0, kCameraBaudRate},
    {kNoControlId, K::Static, "Median Filter", 12, 202, 72, 8, kLabel},
    {kIdcMedianFilter, K::ComboBox, "", 88, 200, 108, kDrop, kList, 0, kOffOn},

    {kNoControlId, K::GroupBox, "LUT", 210, 4, 170, 118, kLabel},
    {kNoControlId, K::Static, "LUT selector", 218, 18, 62, 8, kLabel},
    {kIdcLutSelector, K::ComboBox, "", 282, 16, 90, kDrop, kList, 0, kLutSelector},
    {kNoControlId, K::Static, "Index", 218, 34, 62, 8, kLabel},
    {kIdcLutIndex, K::Edit, "", 282, 32, 50, 12, kEdit},
    {kIdcLutIndexSpin, K::UpDown, "", 332, 32, 10, 12, kSpin},
    {kNoControlId, K::Static, "Data", 218, 49, 62, 8, kLabel},
    {kIdcLutData, K::Edit, "", 282, 47, 50, 12, kEdit},
    {kIdcLutDataSpin, K::UpDown, "", 332, 47, 10, 12, kSpin},
    {kIdcLutRead, K::PushButton, "Read", 282, 63, 42, 14, kButton},
    {kIdcLutWrite, K::PushButton, "Write", 330, 63, 42, 14, kButton},
    {kIdcGammaLabel, K::Static, "Gamma Selector", 218, 84, 62, 8, kLabel},
    {kIdcGamma, K::Edit, "", 282, 82, 50, 12, kEdit},
    {kIdcGammaSpin, K::UpDown, "", 332, 82, 10, 12, kSpin},
    {kIdcOpenLutTable, K::PushButton, "Open LUT Table", 218, 100, 154, 14, kButton},

    {kNoControlId, K::GroupBox, "Temperature", 386, 4, 176, 48, kLabel},
    {kIdcTemperatureSensor, K::ComboBox, "", 394, 16, 160, kDrop, kList, 0, kTemperatureSensor},
    {kIdcTemperature, K::Edit, "", 394, 32, 50, 12, kVisible | kReadOnly | kRight},
    {kNoControlId, K::Static, "C", 448, 34, 10, 8, kLabel},
    {kIdcGetTemperature, K::PushButton, "Get", 474, 31, 40, 14, kButton},

    {kNoControlId, K::GroupBox, "Line Source ", 386, 56, 176, 32, kLabel},
    {kNoControlId, K::Static, "Line1", 394, 71, 32, 8, kLabel},
    {kIdcLineSource1, K::ComboBox, "", 430, 69, 124, kDrop, kList, 0, kLineSource},

    {kNoControlId, K::GroupBox, "Sensor Select", 386, 92, 176, 32, kLabel},
    {kIdcSensorSelect, K::ComboBox, "", 394, 105, 100, kDrop, kList, 0, kSensorSelect},
};

// Page "Factory A": factory recalibration, factory in gain and IP bypass on
// the left, factory gain and black levels and the XML version in the middle,
// camera model, boot area and the camera-wide buttons on the right.
constexpr ControlTemplate kFactoryAControls[] = {
    {kNoControlId, K::GroupBox, "Shading Correction", 4, 4, 200, 32, kLabel},
    {kIdcFactoryRecalShading, K::PushButton, "Recalibrate Shading", 88, 16, 108, 14, kButton},

    {kNoControlId, K::GroupBox, "Pixel Gain Correction", 4, 40, 200, 48, kLabel},
    {kNoControlId, K::Static, "Correction Mode", 12, 54, 72, 8, kLabel},
    {kIdcFactoryPixelGainMode, K::ComboBox, "", 88, 52, 108, kDrop, kList, 0, kDisableEnable},
    {kIdcFactoryRecalPixelGain, K::PushButton, "Recalibrate Pixel Gain", 88, 68, 108, 14, kButton},

    {kNoControlId, K::GroupBox, "Pixel Black Correction", 4, 92, 200, 48, kLabel},
    {kNoControlId, K::Static, "Correction Mode", 12, 106, 72, 8, kLabel},
    {kIdcFactoryPixelBlackMode, K::ComboBox, "", 88, 104, 108, kDrop, kList, 0, kDisableEnable},
    {kIdcFactoryRecalPixelBlack, K::PushButton, "Recalibrate Pixel Black", 88, 120, 108, 14,
     kButton},

    {kNoControlId, K::GroupBox, "Factory in Gain", 4, 144, 200, 32, kLabel},
    {kIdcFactoryInGain, K::Edit, "", 88, 157, 60, 12, kEdit},
    {kIdcFactoryInGainSpin, K::UpDown, "", 148, 157, 10, 12, kSpin},

    {kNoControlId, K::GroupBox, "IP Bypass", 4, 180, 200, 32, kLabel},
    {kIdcIpBypass, K::ComboBox, "", 88, 193, 108, kDrop, kList, 0, kIpBypass},

    {kNoControlId, K::GroupBox, "Factory Gain Level", 210, 4, 170, 64, kLabel},
    {kNoControlId, K::Static, "4K-A type", 218, 18, 58, 8, kLabel},
    {kIdcFactoryGain4KA, K::Edit, "", 282, 16, 60, 12, kEdit},
    {kIdcFactoryGain4KASpin, K::UpDown, "", 342, 16, 10, 12, kSpin},
    {kNoControlId, K::Static, "4K-B type", 218, 33, 58, 8, kLabel},
    {kIdcFactoryGain4KB, K::Edit, "", 282, 31, 60, 12, kEdit},
    {kIdcFactoryGain4KBSpin, K::UpDown, "", 342, 31, 10, 12, kSpin},
    {kNoControlId, K::Static, "8K type", 218, 48, 58, 8, kLabel},
    {kIdcFactoryGain8K, K::Edit, "", 282, 46, 60, 12, kEdit},
    {kIdcFactoryGain8KSpin, K::UpDown, "", 342, 46, 10, 12, kSpin},

    {kNoControlId, K::GroupBox, "Factory Black Level", 210, 72, 170, 64, kLabel},
    {kNoControlId, K::Static, "4K-A type", 218, 86, 58, 8, kLabel},
    {kIdcFactoryBlack4KA, K::Edit, "", 282, 84, 60, 12, kEdit},
    {kIdcFactoryBlack4KASpin, K::UpDown, "", 342, 84, 10, 12, kSpin},
    {kNoControlId, K::Static, "4K-B type", 218, 101, 58, 8, kLabel},
    {kIdcFactoryBlack4KB, K::Edit, "", 282, 99, 60, 12, kEdit},
    {kIdcFactoryBlack4KBSpin, K::UpDown, "", 342, 99, 10, 12, kSpin},
    {kNoControlId, K::Static, "8K type", 218, 116, 58, 8, kLabel},
    {kIdcFactoryBlack8K, K::Edit, "", 282, 114, 60, 12, kEdit},
    {kIdcFactoryBlack8KSpin, K::UpDown, "", 342, 114, 10, 12, kSpin},

    {kNoControlId, K::GroupBox, "XML Version", 210, 140, 170, 52, kLabel},
    {kIdcXmlVersion1, K::Edit, "", 218, 154, 18, 12, kEdit | kCenter},
    {kNoControlId, K::Static, ".", 238, 156, 6, 8, kLabel | kCenter},
    {kIdcXmlVersion2, K::Edit, "", 246, 154, 18, 12, kEdit | kCenter},
    {kNoControlId, K::Static, ".", 266, 156, 6, 8, kLabel | kCenter},
    {kIdcXmlVersion3, K::Edit, "", 274, 154, 18, 12, kEdit | kCenter},
    {kIdcXmlWrite, K::PushButton, "Wirte", 218, 172, 42, 14, kButton},
    {kIdcXmlRead, K::PushButton, "Read", 266, 172, 42, 14, kButton},

    {kNoControlId, K::GroupBox, "Camera Model", 386, 4, 176, 48, kLabel},
    {kIdcCameraModel, K::ComboBox, "", 394, 16, 124, kDrop, kList, 0, kCameraModels},
    {kIdcSetCameraModel, K::PushButton, "Set", 394, 32, 50, 14, kButton},

    {kNoControlId, K::Static, "Boot Area Set", 390, 60, 62, 8, kLabel},
    {kIdcBootAreaSet, K::ComboBox, "", 456, 58, 100, kDrop, kList, 0, kBootArea},
    {kIdcCameraReset, K::PushButton, "Camera Reset", 390, 80, 80, 14, kButton},
    {kIdcTerminal, K::PushButton, "Terminal", 390, 98, 80, 14, kButton},
    {kIdcStoreAll, K::PushButton, "Store All", 390, 116, 80, 14, kButton},
    {kIdcSaveFactoryArea, K::PushButton, "Save Settings into Factory Area", 390, 134, 166, 14,
     kTabStop},
};

}  // namespace

const DialogTemplate kUserA = {kIddUserA,   "User A",    kPageWidth,
                               kPageHeight, dlg::kChild, kUserAControls};
const DialogTemplate kUserB = {kIddUserB,   "User B",    kPageWidth,
                               kPageHeight, dlg::kChild, kUserBControls};
const DialogTemplate kFactoryA = {kIddFactoryA, "Factory A", kPageWidth,
                                  kPageHeight,  dlg::kChild, kFactoryAControls};

}  // namespace cct::templates
